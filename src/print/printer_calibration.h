#pragma once

#include "items/detail_panel.h"
#include "platform/flex_grid.h"
#include "platform/printer_service.h"

#include <QString>
#include <QtGlobal>

namespace etq {

// How far a printer places its print off the labels, corrected by moving every text of a sheet
// label the other way: millimetres to the right (x) and down (y), each from -10.0 to +10.0 in
// steps of 0.1. Kept per printer in the settings file, section "calibracao " + printer name,
// keys "horizontal" and "vertical"; a printer without them prints where the sheet puts it.
struct Calibration {
    double x = 0;
    double y = 0;

    static constexpr double Limit = 10.0;
};

// The calibration of `printerName` in the settings file at `path`; an offset that is missing,
// not a number or outside the limits reads as 0.
Calibration readCalibration(const QString& path, const QString& printerName);
// Stores the calibration of `printerName`, rounded to tenths of a millimetre. False when the
// file cannot be written or the values are outside the limits.
bool writeCalibration(const QString& path, const QString& printerName, Calibration calibration);

// A printer service that hands every drawing position (texts and boxes) to `inner` shifted by
// the calibration.
class CalibratedPrinter : public PrinterService {
  public:
    CalibratedPrinter(PrinterService& inner, Calibration calibration)
        : inner_(inner), calibration_(calibration) {}

    QStringList printerNames() const override { return inner_.printerNames(); }
    QString defaultPrinterName() const override { return inner_.defaultPrinterName(); }
    void setCurrentPrinter(const QString& name) override { inner_.setCurrentPrinter(name); }
    QString currentPrinterName() const override { return inner_.currentPrinterName(); }
    void setScaleMillimetres() override { inner_.setScaleMillimetres(); }
    void setPaperLetterPortrait() override { inner_.setPaperLetterPortrait(); }
    void setFontName(const QString& name) override { inner_.setFontName(name); }
    void setFontSize(float points) override { inner_.setFontSize(points); }
    void setFontBold(bool bold) override { inner_.setFontBold(bold); }
    void setFontItalic(bool italic) override { inner_.setFontItalic(italic); }
    void setFontUnderline(bool underline) override { inner_.setFontUnderline(underline); }
    void setCurrentX(float x) override;
    void setCurrentY(float y) override;
    void print(const QString& text) override { inner_.print(text); }
    float textWidth(const QString& text) override { return inner_.textWidth(text); }
    void drawBox(float x, float y, float width, float height) override;
    void newPage() override { inner_.newPage(); }
    void endDoc() override { inner_.endDoc(); }

  private:
    PrinterService& inner_;
    Calibration calibration_;
};

// imprime_etiquetas on `printer`, every text shifted by the calibration that the settings file
// at `settingsPath` keeps for `printerName`: the one way the window, its print preview and the
// command line print sheet labels.
void printSheetLabels(const QString& settingsPath, const FlexGrid& grid, DetailPanel& panel,
                      PrinterService& printer, const QString& printerName, qint16 first,
                      qint16 last, qint16 startRow, qint16 startColumn);

}  // namespace etq
