#include "print/printer_calibration.h"

#include "platform/private_profile.h"
#include "print/sheet_printing.h"

#include <cmath>
#include <optional>

namespace etq {

namespace {

const QString kHorizontal = QStringLiteral("horizontal");
const QString kVertical = QStringLiteral("vertical");

QString sectionOf(const QString& printerName) {
    return QStringLiteral("calibracao ") + printerName;
}

bool withinLimits(double millimetres) {
    return std::isfinite(millimetres) && std::abs(millimetres) <= Calibration::Limit;
}

std::optional<double> readOffset(const QString& path, const QString& section, const QString& key) {
    const QString text = readProfileString(path, section, key, QString(), 128);
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !withinLimits(value)) {
        return std::nullopt;
    }
    return std::round(value * 10) / 10;
}

QString tenths(double millimetres) {
    return QString::number(std::round(millimetres * 10) / 10, 'f', 1);
}

}  // namespace

Calibration readCalibration(const QString& path, const QString& printerName) {
    const QString section = sectionOf(printerName);
    return {readOffset(path, section, kHorizontal).value_or(0),
            readOffset(path, section, kVertical).value_or(0)};
}

bool writeCalibration(const QString& path, const QString& printerName, Calibration calibration) {
    if (!withinLimits(calibration.x) || !withinLimits(calibration.y)) {
        return false;
    }
    const QString section = sectionOf(printerName);
    return writeProfileString(path, section, kHorizontal, tenths(calibration.x)) &&
           writeProfileString(path, section, kVertical, tenths(calibration.y));
}

void CalibratedPrinter::setCurrentX(float x) {
    inner_.setCurrentX(static_cast<float>(x + calibration_.x));
}

void CalibratedPrinter::setCurrentY(float y) {
    inner_.setCurrentY(static_cast<float>(y + calibration_.y));
}

void CalibratedPrinter::drawBox(float x, float y, float width, float height) {
    inner_.drawBox(static_cast<float>(x + calibration_.x), static_cast<float>(y + calibration_.y),
                   width, height);
}

void printSheetLabels(const QString& settingsPath, const FlexGrid& grid, DetailPanel& panel,
                      PrinterService& printer, const QString& printerName, qint16 first,
                      qint16 last, qint16 startRow, qint16 startColumn) {
    CalibratedPrinter calibrated(printer, readCalibration(settingsPath, printerName));
    imprime_etiquetas(grid, panel, calibrated, printerName, first, last, startRow, startColumn);
}

}  // namespace etq
