#pragma once

#include <exception>
#include <utility>

namespace etq {

// Runs one step of a "resume next" sequence: a step that fails is skipped silently and the
// caller goes on with its next step. Returns whether the step completed.
template <typename Step>
bool resumeNext(Step&& step) noexcept {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace etq
