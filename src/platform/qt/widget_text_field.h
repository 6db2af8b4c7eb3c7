#pragma once

#include "platform/text_field.h"

#include <QLabel>
#include <QLineEdit>

namespace etq {

// The text of a widget (a text box's text, a label's caption) as a TextField.
template <typename Widget>
class WidgetTextField : public TextField {
  public:
    explicit WidgetTextField(Widget* widget) : widget_(widget) {}
    QString text() const override { return widget_->text(); }
    void setText(const QString& text) override { widget_->setText(text); }

  private:
    Widget* widget_;
};

using LineEditField = WidgetTextField<QLineEdit>;
using LabelField = WidgetTextField<QLabel>;

}  // namespace etq
