#pragma once

// What the fuzz targets share: an invariant check that stops the run, and a message box that
// answers OK and counts the boxes shown.

#include "platform/message_box.h"

#include <cstdio>
#include <cstdlib>

namespace etq::fuzz {

inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

class CountingMessages : public MessageBox {
  public:
    Answer show(const QString&, Buttons, Icon, const QString&) override {
        ++shown;
        return Answer::Ok;
    }
    int shown = 0;
};

}  // namespace etq::fuzz
