#pragma once

#include "platform/error.h"
#include "platform/printer_service.h"

#include <QList>
#include <QSet>

namespace etq::test {

// A printer service that keeps every call. Printers and the default are scripted; a call
// named in `failing`, or a printer not installed, raises an error as a refusing printer would.
// Every character is 2 mm wide, so positions computed from text widths stay checkable.
struct RecordingPrinter : PrinterService {
    struct Call {  // the call's name and its text, number or boolean argument, if any
        QString name;
        QString text;
        double a = 0;
        bool flag = false;
    };
    struct Printed {
        QString text;
        float x, y;
        int page;
    };

    QStringList printerNames() const override { return printers; }
    QString defaultPrinterName() const override { return defaultPrinter; }
    QString currentPrinterName() const override { return current; }
    void setCurrentPrinter(const QString& name) override {
        record("setCurrentPrinter", name, 0, false, !printers.contains(name));
        current = name;
    }
    void setScaleMillimetres() override { record("setScaleMillimetres"); }
    void setPaperLetterPortrait() override { record("setPaperLetterPortrait"); }
    void setFontName(const QString& name) override { record("setFontName", name); }
    void setFontSize(float points) override { record("setFontSize", {}, points); }
    void setFontBold(bool bold) override { record("setFontBold", {}, 0, bold); }
    void setFontItalic(bool italic) override { record("setFontItalic", {}, 0, italic); }
    void setFontUnderline(bool on) override { record("setFontUnderline", {}, 0, on); }
    void setCurrentX(float x) override { currentX = record("setCurrentX", {}, x); }
    void setCurrentY(float y) override { currentY = record("setCurrentY", {}, y); }
    void print(const QString& text) override {
        record("print", text);
        printed.append({text, currentX, currentY, page});
    }
    float textWidth(const QString& text) override {
        record("textWidth", text);
        return 2.0f * static_cast<float>(text.size());
    }
    void drawBox(float, float, float, float) override {}
    void newPage() override {
        record("newPage");
        ++page;
    }
    void endDoc() override { record("endDoc"); }

    QStringList printers;
    QString defaultPrinter, current;
    QSet<QString> failing;
    QList<Call> calls;
    QList<Printed> printed;
    float currentX = 0, currentY = 0;
    int page = 1;

  private:
    // Keeps the call, then refuses it if it must; returns the number argument.
    float record(const char* name, const QString& text = {}, double a = 0, bool flag = false,
                 bool refuse = false) {
        calls.append({QString::fromLatin1(name), text, a, flag});
        if (refuse || failing.contains(calls.last().name)) {
            throw Error(Error::InvalidProcedureCall, QStringLiteral("Printer"),
                        QStringLiteral("refused"));
        }
        return static_cast<float>(a);
    }
};

}  // namespace etq::test
