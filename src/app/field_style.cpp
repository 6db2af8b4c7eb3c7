#include "app/field_style.h"

#include "platform/qt/line_edit_text_box.h"
#include "routines/field_focus.h"
#include "routines/key_filters.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace etq {

FieldStyle::FieldStyle(QLineEdit* field, Keys keys) : QObject(field), keys_(keys) {}

void FieldStyle::apply(QLineEdit* field, Keys keys) {
    field->installEventFilter(new FieldStyle(field, keys));
}

bool FieldStyle::eventFilter(QObject* watched, QEvent* event) {
    LineEditTextBox box(static_cast<QLineEdit*>(watched));
    if (event->type() == QEvent::FocusIn) {
        // The field's own focus handling (which selects everything on Tab) goes first, so
        // that the selection is the one seleciona makes.
        watched->event(event);
        entra1(box);
        return true;
    }
    if (event->type() == QEvent::FocusOut) {
        sai1(box);
    } else if (event->type() == QEvent::KeyPress && keys_ == Keys::Digits) {
        const QString typed = static_cast<QKeyEvent*>(event)->text();
        const bool character = typed.size() == 1 && typed[0].isPrint();
        return character && (typed[0].unicode() > 0xFF || NUMERO(typed[0].unicode()) == 0);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace etq
