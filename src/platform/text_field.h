#pragma once

#include <QString>

#include <utility>

namespace etq {

// A text that an operation reads or writes as the text of an input field or the caption of
// a label: the detail boxes of the window, the settings texts of the label jobs, the stream
// fields of the stream readers.
class TextField {
  public:
    virtual ~TextField() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

// A field that only holds its text: for operations whose fields have no widget.
class PlainTextField : public TextField {
  public:
    PlainTextField() = default;
    explicit PlainTextField(QString text) : text_(std::move(text)) {}
    QString text() const override { return text_; }
    void setText(const QString& text) override { text_ = text; }

  private:
    QString text_;
};

}  // namespace etq
