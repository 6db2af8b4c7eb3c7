#include "platform/qt/qt_message_box.h"

#include <QMessageBox>

namespace etq {

namespace {

QMessageBox::Icon qtIcon(MessageBox::Icon icon) {
    switch (icon) {
        case MessageBox::Icon::Exclamation:
            return QMessageBox::Warning;
        case MessageBox::Icon::Question:
            return QMessageBox::Question;
        case MessageBox::Icon::Information:
            return QMessageBox::Information;
        case MessageBox::Icon::Critical:
            return QMessageBox::Critical;
        case MessageBox::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageBox::Answer QtMessageBox::show(const QString& text, Buttons buttons, Icon icon,
                                      const QString& title) {
    const bool yesNo = buttons == Buttons::YesNo;
    QMessageBox box(qtIcon(icon), title.isEmpty() ? applicationTitle() : title, text,
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent_);
    const int answer = box.exec();
    if (!yesNo) {
        return Answer::Ok;
    }
    return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

}  // namespace etq
