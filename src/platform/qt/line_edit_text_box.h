#pragma once

#include "platform/text_box.h"

#include <QLineEdit>

namespace etq {

// A QLineEdit as a text box: the background colour is the palette's base colour, the
// selection that of the line edit. Selection positions beyond the text stop at its end.
class LineEditTextBox : public TextBox {
  public:
    explicit LineEditTextBox(QLineEdit* edit) : edit_(edit) {}

    QString text() const override { return edit_->text(); }
    void setText(const QString& text) override { edit_->setText(text); }
    ColorBgr BackColor() const override;
    void setBackColor(ColorBgr color) override;
    int SelStart() const override;
    void setSelStart(int start) override;
    int SelLength() const override;
    void setSelLength(int length) override;

  private:
    QLineEdit* edit_;
};

}  // namespace etq
