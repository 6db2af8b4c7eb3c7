#pragma once

#include <QString>

namespace etq {

// The modal message boxes through which the program talks to the operator.
class MessageBox {
  public:
    enum class Buttons { Ok, YesNo };
    enum class Icon { None, Exclamation, Question, Information, Critical };
    enum class Answer { Ok, Yes, No };

    // The title every box shows when the caller gives none.
    static QString applicationTitle() { return QStringLiteral("Impressão Etiquetas"); }
    // The title of the program's warnings.
    static QString warningTitle() { return QStringLiteral("ATENÇÃO!!!"); }

    virtual ~MessageBox() = default;
    // Shows the box and waits for the answer. An empty title means the application's title.
    virtual Answer show(const QString& text, Buttons buttons, Icon icon,
                        const QString& title = QString()) = 0;
};

}  // namespace etq
