#pragma once

#include "barcode/bar128.h"
#include "barcode/bar39.h"
#include "barcode/numa_barcode.h"

#include <QStringList>

#include <map>

namespace etq::test {

// A drawing surface that keeps what the renderers asked of it: property writes and drawing
// calls in order (a run of lines logged once), the line drawn in each column, and the printed
// texts with their positions. Text metrics are fixed (6 pixels a character, 12 a line) so
// captions land at predictable places.
struct PixelGridSurface final : DrawingSurface {
    struct DrawnLine {
        int x1, y1, x2, y2;
        SurfaceColor color;
    };

    void setPicture(SurfacePicture picture) override {
        calls << (picture ? "Picture=Image" : "Picture=none");
    }
    SurfacePicture Image() const override { return std::make_shared<SurfaceImage>(); }
    void Cls() override { calls << "Cls"; }
    void setBackColor(SurfaceColor color) override {
        calls << "BackColor=" + QString::number(color, 16);
    }
    void setAutoRedraw(bool on) override { calls << "AutoRedraw=" + QString::number(on); }
    void setScaleMode(std::int16_t mode) override { calls << "ScaleMode=" + QString::number(mode); }
    void setHeight(double twips) override { calls << "Height", height = twips; }
    void setWidth(double twips) override { calls << "Width", width = twips; }
    double TextHeight(const QString&) const override { return 12; }
    double TextWidth(const QString& text) const override { return 6.0 * text.size(); }
    void setCurrentX(double x) override { currentX = x; }
    void setCurrentY(double y) override { currentY = y; }
    void Print(const QString& text) override {
        calls << "Print";
        printed << QStringLiteral("%1@%2,%3").arg(text).arg(currentX).arg(currentY);
    }
    void Line(int x1, int y1, int x2, int y2, SurfaceColor color) override {
        if (calls.isEmpty() || calls.last() != "Line") {
            calls << "Line";
        }
        lines[x1] = {x1, y1, x2, y2, color};
    }
    double TwipsPerPixelX() const override { return 15; }
    double TwipsPerPixelY() const override { return 15; }

    // The columns from `from` to `to`: "1" black line, "0" white line, "." no line.
    QString modules(int from, int to) const {
        QString result;
        for (int x = from; x <= to; ++x) {
            const auto line = lines.find(x);
            result += line == lines.end() ? '.' : line->second.color == kBlack ? '1' : '0';
        }
        return result;
    }
    int lastColumn() const { return lines.empty() ? -1 : lines.rbegin()->first; }

    QStringList calls;
    QStringList printed;             // "text@x,y"
    std::map<int, DrawnLine> lines;  // by column, the last line drawn there
    double width = 0, height = 0, currentX = 0, currentY = 0;
};

// Draws text as a symbol of the given kind: Code39, Code128, EAN13 and EAN8 through the
// facade, Bar39 and Bar128 as the classes.
inline void drawSymbol(const QString& kind, DrawingSurface& s, int zBarH, const QString& text,
                       bool check = true, bool caption = true) {
    const numaBarcode barcode;
    const auto h = static_cast<std::int16_t>(zBarH);
    if (kind == "Code39") {
        barcode.Code39(s, h, text, check, caption);
    } else if (kind == "Bar39") {
        Bar39().Code39(s, h, text, check);
    } else if (kind == "Code128") {
        barcode.Code128(s, h, text, caption);
    } else if (kind == "Bar128") {
        Bar128().Code128(s, h, text);
    } else if (kind == "EAN13") {
        barcode.EAN13(s, h, text, caption);
    } else {
        barcode.EAN8(s, h, text, caption);
    }
}

}  // namespace etq::test
