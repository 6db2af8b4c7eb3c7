#pragma once

#include "platform/pending_events.h"

#include <functional>

namespace etq::test {

// Counts how often an operation let pending events run, and can run a step of its own there.
struct CountingPendingEvents : PendingEvents {
    void process() override {
        ++count;
        onProcess();
    }
    int count = 0;
    std::function<void()> onProcess = [] {};
};

}  // namespace etq::test
