#pragma once

#include "platform/folders.h"
#include "platform/message_box.h"
#include "platform/pending_events.h"
#include "platform/printer_service.h"

namespace etq {

// Everything of the outside world the window and its operations talk to. The program hands
// in the real implementations; tests hand in scriptable ones.
struct Platform {
    MessageBox& messages;
    PrinterService& printer;
    PendingEvents& events;
    Folders folders;
};

}  // namespace etq
