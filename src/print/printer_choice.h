#pragma once

#include "platform/printer_service.h"

#include <QString>

namespace etq {

// Makes the installed printer whose device name equals `name` (exactly, case included) the
// application's current printer. False when no printer is installed or none has that name;
// the current printer then stays as it was.
bool define_impressora(PrinterService& printer, const QString& name);

}  // namespace etq
