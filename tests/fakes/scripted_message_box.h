#pragma once

#include "platform/message_box.h"

#include <QList>

namespace etq::test {

// Records every box shown and answers from a script (Yes when the script runs out).
class ScriptedMessageBox : public MessageBox {
  public:
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;  // as shown: the application's title when none was given
    };

    Answer show(const QString& text, Buttons buttons, Icon icon, const QString& title) override {
        shown.append({text, buttons, icon, title.isEmpty() ? applicationTitle() : title});
        if (buttons == Buttons::Ok) {
            return Answer::Ok;
        }
        return answers.isEmpty() ? Answer::Yes : answers.takeFirst();
    }

    QList<Shown> shown;
    QList<Answer> answers;
};

}  // namespace etq::test
