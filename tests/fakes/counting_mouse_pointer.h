#pragma once

#include "platform/mouse_pointer.h"

namespace etq::test {

// Counts how often an operation set the default pointer.
class CountingMousePointer : public MousePointer {
  public:
    void setDefault() override { ++defaults; }

    int defaults = 0;
};

}  // namespace etq::test
