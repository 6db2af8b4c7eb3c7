#pragma once

#include "platform/pending_events.h"

namespace etq {

class QtPendingEvents : public PendingEvents {
  public:
    void process() override;
};

}  // namespace etq
