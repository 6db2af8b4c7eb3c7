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
    if (printer_) {
        printer_->setPageSize(QPageSize(QPageSize::Letter));
        printer_->setPageOrientation(QPageLayout::Portrait);
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
    if (!printer_) {
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
        if (letter_) {
            setPaperLetterPortrait();
        }
    }
    return *printer_;
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
        printer_.reset();
        fail(QStringLiteral("The printer cannot start a document"));
    }
    startFailed_ = false;
    pageBreakPending_ = false;
    return *painter_;
}

double QtPrinterService::deviceUnitsPerScaleUnit() {
    return printer().resolution() / scaleUnitsPerInch_;
}

void QtPrinterService::print(const QString& text) {
    QPainter& painter = beginDocument();
    if (pageBreakPending_) {
        if (!printer_->newPage()) {
            fail(QStringLiteral("The printer refused a new page"));
        }
        pageBreakPending_ = false;
    }
    painter.setFont(font_);
    const QFontMetricsF metrics(font_, printer_.get());
    const double scale = deviceUnitsPerScaleUnit();
    painter.drawText(QPointF(x_ * scale, y_ * scale + metrics.ascent()), text);
}

float QtPrinterService::textWidth(const QString& text) {
    const QFontMetricsF metrics(font_, &printer());
    return static_cast<float>(metrics.horizontalAdvance(text) / deviceUnitsPerScaleUnit());
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
        printer_.reset();
        if (!ended) {
            fail(QStringLiteral("The document could not be sent to the printer"));
        }
        return;
    }
    painter_.reset();
    printer_.reset();
}

}  // namespace etq
