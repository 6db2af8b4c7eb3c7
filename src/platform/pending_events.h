#pragma once

namespace etq {

// Lets the window process the events that are waiting, so it stays responsive while an
// operation works through a long text.
class PendingEvents {
  public:
    virtual ~PendingEvents() = default;
    virtual void process() = 0;
};

}  // namespace etq
