#pragma once

#include "platform/text_field.h"

#include <cstdint>

namespace etq {

// A colour as the window's controls take it: 0x00BBGGRR, blue in the high byte.
using ColorBgr = std::uint32_t;

// A control with a background colour.
class ColoredControl {
  public:
    virtual ~ColoredControl() = default;
    virtual ColorBgr BackColor() const = 0;
    virtual void setBackColor(ColorBgr color) = 0;
};

// A text field with a selected range: SelStart is where the selection begins (0 before the
// first character), SelLength how many characters it covers. Setting SelStart collapses the
// selection there; setting SelLength extends it from SelStart. Implementations raise etq::Error
// for a negative position or length.
class SelectableText : public TextField {
  public:
    virtual int SelStart() const = 0;
    virtual void setSelStart(int start) = 0;
    virtual int SelLength() const = 0;
    virtual void setSelLength(int length) = 0;
};

// A text box of the window: coloured background, text and selection.
class TextBox : public ColoredControl, public SelectableText {};

}  // namespace etq
