#pragma once

#include "platform/mouse_pointer.h"

namespace etq {

// The application-wide pointer: Qt keeps busy pointers as a stack of override cursors, so the
// default pointer is back once that stack is empty.
class QtMousePointer : public MousePointer {
  public:
    void setDefault() override;
};

}  // namespace etq
