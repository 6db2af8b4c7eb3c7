#pragma once

#include <QString>
#include <QStringList>

namespace etq {

// The installed printers and page output on the application's current printer. Positions and
// widths are in the current scale: millimetres after setScaleMillimetres(), measured from the
// top-left corner of the printable area; a position is the top-left corner of the next text.
//
// Page output raises etq::Error when the printer refuses a step (no printer, a setting it does
// not take, a document that cannot be started); callers decide whether to go on.
class PrinterService {
  public:
    virtual ~PrinterService() = default;

    // Device names of the installed printers in the platform's order.
    virtual QStringList printerNames() const = 0;
    // Device name of the system's default printer; empty when there is none.
    virtual QString defaultPrinterName() const = 0;

    // Makes the named printer the application's current printer (exact name). The current
    // printer stays chosen for later documents.
    virtual void setCurrentPrinter(const QString& deviceName) = 0;
    virtual QString currentPrinterName() const = 0;

    virtual void setScaleMillimetres() = 0;
    // US Letter, portrait: the paper of the label sheets.
    virtual void setPaperLetterPortrait() = 0;

    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(float points) = 0;
    virtual void setFontBold(bool bold) = 0;
    virtual void setFontItalic(bool italic) = 0;
    virtual void setFontUnderline(bool underline) = 0;

    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;
    // Prints the text with its top-left corner at the drawing position.
    virtual void print(const QString& text) = 0;
    // Width of the text in the current font and scale.
    virtual float textWidth(const QString& text) = 0;
    // Draws the outline of a rectangle whose top-left corner is (x, y), sizes in the current
    // scale.
    virtual void drawBox(float x, float y, float width, float height) = 0;

    // Asks for a new page; a page is only produced when something is printed on it.
    virtual void newPage() = 0;
    // Ends the document and sends it to the printer.
    virtual void endDoc() = 0;
};

}  // namespace etq
