#include "platform/qt/line_edit_text_box.h"

#include "platform/error.h"

#include <QPalette>

#include <algorithm>

namespace etq {

namespace {

void checkNotNegative(int value, const char* what) {
    if (value < 0) {
        throw Error(Error::InvalidProcedureCall, QStringLiteral("TextBox"),
                    QStringLiteral("Invalid %1: %2").arg(QLatin1String(what)).arg(value));
    }
}

}  // namespace

ColorBgr LineEditTextBox::BackColor() const {
    const QColor color = edit_->palette().color(QPalette::Base);
    return static_cast<ColorBgr>(color.red()) | static_cast<ColorBgr>(color.green()) << 8 |
           static_cast<ColorBgr>(color.blue()) << 16;
}

void LineEditTextBox::setBackColor(ColorBgr color) {
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Base,
                     QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF));
    edit_->setPalette(palette);
}

int LineEditTextBox::SelStart() const {
    return edit_->hasSelectedText() ? edit_->selectionStart() : edit_->cursorPosition();
}

void LineEditTextBox::setSelStart(int start) {
    checkNotNegative(start, "selection start");
    edit_->setCursorPosition(std::min(start, static_cast<int>(edit_->text().size())));
}

int LineEditTextBox::SelLength() const {
    return edit_->hasSelectedText() ? edit_->selectionLength() : 0;
}

void LineEditTextBox::setSelLength(int length) {
    checkNotNegative(length, "selection length");
    const int start = SelStart();
    const qsizetype end = std::min<qsizetype>(qsizetype(start) + length, edit_->text().size());
    edit_->setSelection(start, static_cast<int>(end - start));
}

}  // namespace etq
