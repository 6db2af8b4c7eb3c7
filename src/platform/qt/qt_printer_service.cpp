#include "platform/qt/qt_printer_service.h"

#include "platform/error.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace etq {

namespace {

[[noreturn]] void fail(const QString& what) {
    throw Error(Error::InvalidProcedureCall, QStringLiteral("Printer"), what);
}

}  // namespace

QtPrinterService::QtPrinterService() = default;

QtPrinterService::QtPrinterService(QPrinter& device) : device_(&device) {}

QtPrinterService::~QtPrinterService() {
    if (painter_ && painter_->isActive()) {
        painter_->end();
    }
}

QStringList QtPrinterService::printerNames() const {
    return QPrinterInfo::availablePrinterNames();
}

QString QtPrinterService::defaultPrinterName() const {
    return QPrinterInfo::defaultPrinterName();
}

void QtPrinterService::setCurrentPrinter(const QString& deviceName) {
    if (!printerNames().contains(deviceName)) {
        fail(QStringLiteral("No printer named %1").arg(deviceName));
    }
    current_ = deviceName;
}

QString QtPrinterService::currentPrinterName() const {
    return current_.isEmpty() ? defaultPrinterName() : current_;
}

void QtPrinterService::setScaleMillimetres() {
    scaleUnitsPerInch_ = 25.4;
}

void QtPrinterService::setPaperLetterPortrait() {
    letter_ = true;
    if (device_ != nullptr) {
        device_->setPageSize(QPageSize(QPageSize::Letter));
        device_->setPageOrientation(QPageLayout::Portrait);
    }
}

void QtPrinterService::setFontName(const QString& name) {
    font_.setFamily(name);
}
void QtPrinterService::setFontSize(float points) {
    if (!(points > 0)) {
        fail(QStringLiteral("Invalid font size"));
    }
    font_.setPointSizeF(points);
}
void QtPrinterService::setFontBold(bool bold) {
    font_.setBold(bold);
}
void QtPrinterService::setFontItalic(bool italic) {
    font_.setItalic(italic);
}
void QtPrinterService::setFontUnderline(bool underline) {
    font_.setUnderline(underline);
}
void QtPrinterService::setCurrentX(float x) {
    x_ = x;
}
void QtPrinterService::setCurrentY(float y) {
    y_ = y;
}

QPrinter& QtPrinterService::printer() {
    if (device_ == nullptr) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        if (outputFileName_.isEmpty()) {
            const QString name = currentPrinterName();
            if (name.isEmpty()) {
                printer_.reset();
                fail(QStringLiteral("No printer installed"));
            }
            printer_->setPrinterName(name);
            // Qt keeps the printer it started with (the default) when the name is no longer
            // installed; the document must not go to another printer than the current one.
            if (printer_->printerName() != name) {
                printer_.reset();
                fail(QStringLiteral("No printer named %1").arg(name));
            }
        } else {
            printer_->setOutputFormat(QPrinter::PdfFormat);
            printer_->setOutputFileName(outputFileName_);
        }
        device_ = printer_.get();
        if (letter_) {
            setPaperLetterPortrait();
        }
    }
    return *device_;
}

void QtPrinterService::forgetPrinter() {
    if (printer_) {
        printer_.reset();
        device_ = nullptr;
    }
}

QPainter& QtPrinterService::beginDocument() {
    if (painter_ && painter_->isActive()) {
        return *painter_;
    }
    if (startFailed_) {
        fail(QStringLiteral("The printer cannot start a document"));
    }
    startFailed_ = true;
    QPrinter& device = printer();
    painter_ = std::make_unique<QPainter>();
    // Without a reachable printer Qt falls back to a PDF without a file name and begin fails.
    if (!painter_->begin(&device)) {
        painter_.reset();
        forgetPrinter();
        fail(QStringLiteral("The printer cannot start a document"));
    }
    startFailed_ = false;
    pageBreakPending_ = false;
    return *painter_;
}

double QtPrinterService::deviceUnitsPerScaleUnit() {
    return printer().resolution() / scaleUnitsPerInch_;
}

QPainter& QtPrinterService::page() {
    QPainter& painter = beginDocument();
    if (pageBreakPending_) {
        if (!device_->newPage()) {
            fail(QStringLiteral("The printer refused a new page"));
        }
        pageBreakPending_ = false;
    }
    return painter;
}

void QtPrinterService::print(const QString& text) {
    QPainter& painter = page();
    painter.setFont(font_);
    const QFontMetricsF metrics(font_, device_);
    const double scale = deviceUnitsPerScaleUnit();
    painter.drawText(QPointF(x_ * scale, y_ * scale + metrics.ascent()), text);
}

float QtPrinterService::textWidth(const QString& text) {
    const QFontMetricsF metrics(font_, &printer());
    return static_cast<float>(metrics.horizontalAdvance(text) / deviceUnitsPerScaleUnit());
}

void QtPrinterService::drawBox(float x, float y, float width, float height) {
    QPainter& painter = page();
    const double scale = deviceUnitsPerScaleUnit();
    // A line of 0.3 mm: thin enough to see where a label begins, thick enough for any printer.
    painter.setPen(QPen(Qt::black, 0.3 * device_->resolution() / 25.4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(x * scale, y * scale, width * scale, height * scale));
}

void QtPrinterService::newPage() {
    if (painter_ && painter_->isActive()) {
        pageBreakPending_ = true;
    }
}

void QtPrinterService::endDoc() {
    pageBreakPending_ = false;
    startFailed_ = false;
    if (painter_ && painter_->isActive()) {
        const bool ended = painter_->end();
        painter_.reset();
        forgetPrinter();
        if (!ended) {
            fail(QStringLiteral("The document could not be sent to the printer"));
        }
        return;
    }
    painter_.reset();
    forgetPrinter();
}

}  // namespace etq
