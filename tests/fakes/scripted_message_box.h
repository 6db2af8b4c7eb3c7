#pragma once

#include "platform/message_box.h"

#include <QList>
#include <QStringList>

namespace etq::test {

// Records every box shown and answers from a script (Yes when the script runs out).
struct ScriptedMessageBox : MessageBox {
    struct Shown {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title;  // as shown: the application's title when none was given
    };

    Answer show(const QString& text, Buttons buttons, Icon icon, const QString& title) override {
        shown.append({text, buttons, icon, title.isEmpty() ? applicationTitle() : title});
        return buttons == Buttons::Ok ? Answer::Ok
               : answers.isEmpty()    ? Answer::Yes
                                      : answers.takeFirst();
    }

    // Every box shown as "title|icon|buttons|text", for tables of expected boxes.
    QStringList seen() const {
        const char* icons[] = {"None", "Exclamation", "Question", "Information", "Critical"};
        QStringList boxes;
        for (const Shown& s : shown) {
            boxes << QStringLiteral("%1|%2|%3|%4")
                         .arg(s.title, QLatin1String(icons[int(s.icon)]),
                              QLatin1String(s.buttons == Buttons::Ok ? "Ok" : "YesNo"), s.text);
        }
        return boxes;
    }

    QList<Shown> shown;
    QList<Answer> answers;
};

}  // namespace etq::test
