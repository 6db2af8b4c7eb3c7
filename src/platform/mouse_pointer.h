#pragma once

namespace etq {

// The screen's mouse pointer, as far as the operations change it.
class MousePointer {
  public:
    virtual ~MousePointer() = default;
    // Back to the ordinary arrow, whatever busy pointer was set before.
    virtual void setDefault() = 0;
};

}  // namespace etq
