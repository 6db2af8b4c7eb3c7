#pragma once

#include "barcode/drawing_surface.h"

#include <QString>
#include <QStringList>

#include <map>
#include <vector>

namespace etq::test {

// A drawing surface that keeps what the renderers asked of it: the order of property writes
// and drawing calls, every line by column, and the printed texts with their positions. Text
// metrics are fixed (6 pixels a character, 12 a line) so caption positions are predictable.
class PixelGridSurface final : public DrawingSurface {
  public:
    struct DrawnLine {
        int x1, y1, x2, y2;
        SurfaceColor color;
    };
    struct Printed {
        double x, y;
        QString text;
    };

    explicit PixelGridSurface(double twipsPerPixelX = 15, double twipsPerPixelY = 15)
        : tppX_(twipsPerPixelX), tppY_(twipsPerPixelY) {}

    void setPicture(SurfacePicture picture) override {
        picture_ = std::move(picture);
        calls << (picture_ ? QStringLiteral("Picture=Image") : QStringLiteral("Picture=none"));
    }
    SurfacePicture Image() const override { return std::make_shared<SurfaceImage>(); }
    void Cls() override {
        lines.clear();
        columns_.clear();
        printed.clear();
        calls << QStringLiteral("Cls");
    }
    void setBackColor(SurfaceColor color) override {
        calls << QStringLiteral("BackColor=%1").arg(color, 0, 16);
    }
    void setAutoRedraw(bool on) override { calls << QStringLiteral("AutoRedraw=%1").arg(on); }
    void setScaleMode(std::int16_t mode) override {
        calls << QStringLiteral("ScaleMode=%1").arg(mode);
    }
    void setHeight(double twips) override {
        height = twips;
        calls << QStringLiteral("Height");
    }
    void setWidth(double twips) override {
        width = twips;
        calls << QStringLiteral("Width");
    }
    double TextHeight(const QString&) const override { return 12; }
    double TextWidth(const QString& text) const override { return 6.0 * text.size(); }
    void setCurrentX(double x) override { currentX_ = x; }
    void setCurrentY(double y) override { currentY_ = y; }
    void Print(const QString& text) override {
        printed.push_back({currentX_, currentY_, text});
        calls << QStringLiteral("Print");
    }
    void Line(int x1, int y1, int x2, int y2, SurfaceColor color) override {
        lines.push_back({x1, y1, x2, y2, color});
        columns_[x1] = color;
        if (calls.isEmpty() || calls.last() != QLatin1String("Line")) {
            calls << QStringLiteral("Line");
        }
    }
    double TwipsPerPixelX() const override { return tppX_; }
    double TwipsPerPixelY() const override { return tppY_; }

    bool hasPicture() const { return picture_ != nullptr; }

    // The columns from `from` to `to`: "1" black line, "0" white line, "." no line; a column
    // drawn twice shows its last line.
    QString modules(int from, int to) const {
        QString result;
        for (int x = from; x <= to; ++x) {
            const auto found = columns_.find(x);
            result += found == columns_.end()   ? QLatin1Char('.')
                      : found->second == kBlack ? QLatin1Char('1')
                                                : QLatin1Char('0');
        }
        return result;
    }
    int firstColumn() const { return lines.empty() ? -1 : lines.front().x1; }
    int lastColumn() const { return lines.empty() ? -1 : lines.back().x1; }

    QStringList calls;
    std::vector<DrawnLine> lines;
    std::vector<Printed> printed;
    double width = 0;
    double height = 0;

  private:
    double tppX_;
    double tppY_;
    double currentX_ = 0;
    double currentY_ = 0;
    SurfacePicture picture_;
    std::map<int, SurfaceColor> columns_;
};

}  // namespace etq::test
