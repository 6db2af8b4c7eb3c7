#pragma once

#include "platform/printer_service.h"

#include <QFont>

#include <memory>

class QPainter;
class QPrinter;

namespace etq {

// The printer service over Qt's print support (CUPS underneath). A document starts when the
// first text or box is drawn and goes to the printer at endDoc(); a page break only takes
// effect when something is drawn after it, so a document never ends with a blank page.
class QtPrinterService : public PrinterService {
  public:
    QtPrinterService();
    // Draws every document on `device` (a print preview's printer, or the printer a print
    // dialog set up) instead of the current printer; `device` must outlive the service.
    explicit QtPrinterService(QPrinter& device);
    ~QtPrinterService() override;

    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
    void setCurrentPrinter(const QString& deviceName) override;
    QString currentPrinterName() const override;

    void setScaleMillimetres() override;
    void setPaperLetterPortrait() override;

    void setFontName(const QString& name) override;
    void setFontSize(float points) override;
    void setFontBold(bool bold) override;
    void setFontItalic(bool italic) override;
    void setFontUnderline(bool underline) override;

    void setCurrentX(float x) override;
    void setCurrentY(float y) override;
    void print(const QString& text) override;
    float textWidth(const QString& text) override;
    void drawBox(float x, float y, float width, float height) override;

    void newPage() override;
    void endDoc() override;

    // Where documents go instead of the printer: a PDF file (benchmarks and tests).
    void setOutputFileName(const QString& path) { outputFileName_ = path; }

  private:
    QPrinter& printer();
    QPainter& beginDocument();
    // The painter of the page the next drawing goes on, after a pending page break.
    QPainter& page();
    // Drops the printer the service made for a document, never a given one.
    void forgetPrinter();
    double deviceUnitsPerScaleUnit();

    QString current_;
    QString outputFileName_;
    bool letter_ = false;
    double scaleUnitsPerInch_ = 1440.0;  // twips until the scale is set
    QFont font_;
    float x_ = 0;
    float y_ = 0;
    bool pageBreakPending_ = false;
    // A document that could not be started stays failed until endDoc(): its texts are refused
    // at once instead of each trying the printer again.
    bool startFailed_ = false;
    std::unique_ptr<QPrinter> printer_;
    QPrinter* device_ = nullptr;  // the given printer, else printer_ once it exists
    std::unique_ptr<QPainter> painter_;
};

}  // namespace etq
