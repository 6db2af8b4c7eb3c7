#pragma once

#include "platform/pending_events.h"
#include "platform/printer_service.h"
#include "print/printer_calibration.h"

#include <QString>

namespace etq {

// Prints one sheet for checking a printer's calibration against a label sheet: the outline of
// each of the 14 labels and, centred in it, its number (1 to 14, left to right, top to bottom)
// with its sheet row and column, every drawing shifted by `calibration`. Refuses a printer
// that is not installed, and passes on what the printer refuses, after ending the document.
void printCalibrationSheet(PrinterService& printer, PendingEvents& events,
                           const QString& printerName, Calibration calibration);

}  // namespace etq
