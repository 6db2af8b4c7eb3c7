#pragma once

#include <QPushButton>

namespace etq {

// A push button whose access key (Alt + the underlined letter) clicks it at once, as a mouse
// click does. Qt's buttons animate a click first and only emit it a tenth of a second later:
// the action would then see the window as it is after the key press, and presses within that
// tenth of a second would be folded into one click.
class AccessKeyButton : public QPushButton {
    Q_OBJECT

  public:
    using QPushButton::QPushButton;

  protected:
    bool event(QEvent* event) override;
};

}  // namespace etq
