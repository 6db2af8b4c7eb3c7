#pragma once

#include "barcode/drawing_surface.h"
#include "platform/qt/png_writer.h"

#include <QColor>
#include <QFont>
#include <QImage>

#include <memory>

namespace etq {

// A drawing surface over an in-memory image: sizes arrive in twips and become pixels through
// the twips-per-pixel value it is built with (15 is a 96-dpi screen), which it also reports as
// the screen's. Lines leave out their end point; text uses the surface's font (the
// application font unless set) in black. Fonts need a QGuiApplication.
class ImageSurface final : public DrawingSurface {
  public:
    explicit ImageSurface(double twipsPerPixel = 15.0);

    void setPicture(SurfacePicture picture) override;
    SurfacePicture Image() const override;
    void Cls() override;
    void setBackColor(SurfaceColor color) override;
    void setAutoRedraw(bool on) override;
    void setScaleMode(std::int16_t mode) override;
    void setHeight(double twips) override;
    void setWidth(double twips) override;
    double TextHeight(const QString& text) const override;
    double TextWidth(const QString& text) const override;
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    void Print(const QString& text) override;
    void Line(int x1, int y1, int x2, int y2, SurfaceColor color) override;
    double TwipsPerPixelX() const override { return twipsPerPixel_; }
    double TwipsPerPixelY() const override { return twipsPerPixel_; }

    // Writes the persistent drawing as a PNG file; false when it cannot be written (or the
    // surface has no pixels yet).
    [[nodiscard]] bool save(const QString& path) const;

    // The persistent drawing and the picture set on the surface (null when none).
    const QImage& image() const { return canvas(); }
    QImage picture() const;

    bool autoRedraw() const { return autoRedraw_; }
    std::int16_t scaleMode() const { return scaleMode_; }
    double currentX() const { return currentX_; }
    double currentY() const { return currentY_; }
    void setFont(const QFont& font) { font_ = font; }
    const QFont& font() const { return font_; }

  private:
    // A length in the current scale as pixels, and back.
    double toPixels(double length) const;
    double fromPixels(double pixels) const;
    int pixelsOfTwips(double twips) const;
    QImage& canvas() const;

    double twipsPerPixel_;
    int width_ = 0;
    int height_ = 0;
    mutable QImage image_;
    mutable bool erasePending_ = false;
    QImage metricsDevice_;
    SurfacePicture picture_;
    QColor backColor_ = Qt::white;
    bool autoRedraw_ = false;
    std::int16_t scaleMode_ = ScaleTwips;
    double currentX_ = 0;
    double currentY_ = 0;
    QFont font_;
    mutable std::unique_ptr<PngWriter> pngWriter_;
};

}  // namespace etq
