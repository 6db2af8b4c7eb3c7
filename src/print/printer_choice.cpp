#include "print/printer_choice.h"

namespace etq {

bool define_impressora(PrinterService& printer, const QString& name) {
    for (const QString& deviceName : printer.printerNames()) {
        if (deviceName == name) {
            printer.setCurrentPrinter(deviceName);
            return true;
        }
    }
    return false;
}

}  // namespace etq
