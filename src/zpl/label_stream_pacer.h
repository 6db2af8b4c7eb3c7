#pragma once

#include "platform/flex_grid.h"
#include "platform/pending_events.h"

#include <QElapsedTimer>

#include <optional>

namespace etq {

// Lets the window process pending events while a stream reader works, about every 20 ms of
// work rather than once per step, and holds the grid's change signals back in between so the
// views refresh once per pause instead of once per cell. Around each pause the held changes
// are released, so a handler that runs meanwhile sees a view in step with the grid.
class LabelStreamPacer {
  public:
    static constexpr qint64 IntervalMs = 20;

    LabelStreamPacer(FlexGrid& grid, PendingEvents& events);
    LabelStreamPacer(const LabelStreamPacer&) = delete;
    LabelStreamPacer& operator=(const LabelStreamPacer&) = delete;

    // Lets pending events run now. True when a handler changed the grid meanwhile.
    bool pump();
    // Lets pending events run when the interval has passed since the last pause.
    bool tick() { return timer_.hasExpired(IntervalMs) && pump(); }

  private:
    FlexGrid& grid_;
    PendingEvents& events_;
    QElapsedTimer timer_;
    std::optional<FlexGrid::Batch> batch_;
};

}  // namespace etq
