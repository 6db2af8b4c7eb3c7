#pragma once

#include "platform/mouse_pointer.h"

namespace etq::test {

// Counts how often an operation set the default pointer.
struct CountingMousePointer : MousePointer {
    void setDefault() override { ++defaults; }
    int defaults = 0;
};

}  // namespace etq::test
