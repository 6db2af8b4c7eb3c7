#pragma once

#include "platform/error.h"
#include "platform/printer_service.h"

#include <QList>
#include <QSet>

namespace etq::test {

// A printer service that keeps every call. Printers and the default are scripted; a call
// named in `failing` raises an error instead, as a refusing printer would.
class RecordingPrinter : public PrinterService {
  public:
    struct Call {
        Call(QString name, QString text = {}, double a = 0, bool flag = false)
            : name(std::move(name)), text(std::move(text)), a(a), flag(flag) {}
        QString name;
        QString text;  // text argument, if any
        double a;      // number argument, if any
        bool flag;     // boolean argument, if any
    };

    QStringList printerNames() const override { return printers; }
    QString defaultPrinterName() const override { return defaultPrinter; }
    void setCurrentPrinter(const QString& deviceName) override {
        record({QStringLiteral("setCurrentPrinter"), deviceName});
        if (!printers.contains(deviceName)) {
            throw Error(Error::InvalidProcedureCall, QStringLiteral("Printer"),
                        QStringLiteral("no such printer"));
        }
        current = deviceName;
    }
    QString currentPrinterName() const override { return current; }

    void setScaleMillimetres() override { record({QStringLiteral("setScaleMillimetres"), {}}); }
    void setPaperLetterPortrait() override {
        record({QStringLiteral("setPaperLetterPortrait"), {}});
    }
    void setFontName(const QString& name) override {
        record({QStringLiteral("setFontName"), name});
    }
    void setFontSize(float points) override { record({QStringLiteral("setFontSize"), {}, points}); }
    void setFontBold(bool bold) override { record({QStringLiteral("setFontBold"), {}, 0, bold}); }
    void setFontItalic(bool italic) override {
        record({QStringLiteral("setFontItalic"), {}, 0, italic});
    }
    void setFontUnderline(bool underline) override {
        record({QStringLiteral("setFontUnderline"), {}, 0, underline});
    }
    void setCurrentX(float x) override {
        record({QStringLiteral("setCurrentX"), {}, x});
        currentX = x;
    }
    void setCurrentY(float y) override {
        record({QStringLiteral("setCurrentY"), {}, y});
        currentY = y;
    }
    void print(const QString& text) override {
        record({QStringLiteral("print"), text});
        printed.append({text, currentX, currentY, page});
    }
    // Every character is `charWidth` wide: positions computed from widths stay checkable.
    float textWidth(const QString& text) override {
        record({QStringLiteral("textWidth"), text});
        return charWidth * static_cast<float>(text.size());
    }
    void drawBox(float, float, float, float) override {}
    void newPage() override {
        record({QStringLiteral("newPage"), {}});
        ++page;
    }
    void endDoc() override { record({QStringLiteral("endDoc"), {}}); }

    struct Printed {
        QString text;
        float x;
        float y;
        int page;
    };

    QStringList printers;
    QString defaultPrinter;
    QString current;
    QSet<QString> failing;
    float charWidth = 2.0f;
    QList<Call> calls;
    QList<Printed> printed;
    float currentX = 0;
    float currentY = 0;
    int page = 1;

  private:
    void record(Call call) {
        const bool fails = failing.contains(call.name);
        calls.append(std::move(call));
        if (fails) {
            throw Error(Error::InvalidProcedureCall, QStringLiteral("Printer"),
                        QStringLiteral("refused"));
        }
    }
};

}  // namespace etq::test
