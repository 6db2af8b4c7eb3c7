#include "jobs/calibration_sheet.h"

#include "platform/error.h"
#include "platform/resume_next.h"
#include "print/label_sheet.h"
#include "print/printer_choice.h"
#include "routines/aligned_text.h"

namespace etq {

namespace {

constexpr std::int16_t kCentred = 1;

void drawSheet(PrinterService& printer, PendingEvents& events) {
    const QString font = QStringLiteral("Arial");
    for (int row = 1; row <= sheet::Rows; ++row) {
        for (int column = 1; column <= sheet::Columns; ++column) {
            const auto left = static_cast<float>(sheet::ColumnPitch * (column - 1));
            const float top = sheet::rowReference(row);
            printer.drawBox(left, top, static_cast<float>(sheet::LabelWidth),
                            static_cast<float>(sheet::LabelHeight));
            const auto centre = static_cast<float>(left + sheet::LabelWidth / 2);
            const int number = (row - 1) * sheet::Columns + column;
            imp_2linha(printer, events, top + 9, centre, QStringLiteral("Etiqueta %1").arg(number),
                       kCentred, font, 14, true, false, false);
            imp_2linha(printer, events, top + 19, centre,
                       QStringLiteral("linha %1, coluna %2").arg(row).arg(column), kCentred, font,
                       10, false, false, false);
        }
    }
}

}  // namespace

void printCalibrationSheet(PrinterService& printer, PendingEvents& events,
                           const QString& printerName, Calibration calibration) {
    if (!define_impressora(printer, printerName)) {
        throw Error(Error::InvalidProcedureCall, QStringLiteral("Calibração"),
                    QStringLiteral("A impressora \"%1\" não está instalada.").arg(printerName));
    }
    CalibratedPrinter calibrated(printer, calibration);
    try {
        calibrated.setScaleMillimetres();
        calibrated.setPaperLetterPortrait();
        drawSheet(calibrated, events);
    } catch (...) {
        resumeNext([&] { printer.endDoc(); });
        throw;
    }
    printer.endDoc();
}

}  // namespace etq
