#pragma once

#include "platform/message_box.h"

class QWidget;

namespace etq {

// Modal QMessageBox over the window that owns it.
class QtMessageBox : public MessageBox {
  public:
    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    Answer show(const QString& text, Buttons buttons, Icon icon, const QString& title) override;

  private:
    QWidget* parent_;
};

}  // namespace etq
