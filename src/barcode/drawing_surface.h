#pragma once

#include <QString>

#include <cstdint>
#include <memory>

namespace etq {

// A colour as the renderers pass it: hex 00BBGGRR, 0 black, hex FFFFFF white.
using SurfaceColor = std::int32_t;

constexpr SurfaceColor kBlack = 0x000000;
constexpr SurfaceColor kWhite = 0xFFFFFF;

// The value of a surface's persistent drawing. Renderers never look inside it: they only hand
// what `Image` gave them back to `setPicture`, so each surface defines its own content.
class SurfaceImage {
  public:
    virtual ~SurfaceImage() = default;
};

using SurfacePicture = std::shared_ptr<const SurfaceImage>;

// What a barcode renderer draws on: a picture box in spirit. Members named as the renderers
// use them; write-only properties are setters. Until `setScaleMode(3)` coordinates are in the
// surface's own unit; the renderers switch to pixels before they measure or draw anything.
class DrawingSurface {
  public:
    static constexpr std::int16_t ScaleTwips = 1;
    static constexpr std::int16_t ScalePixels = 3;

    virtual ~DrawingSurface() = default;

    // The picture shown by the surface; nullptr means no picture.
    virtual void setPicture(SurfacePicture picture) = 0;
    // A copy of the persistent drawing.
    virtual SurfacePicture Image() const = 0;
    // Erases the drawing back to the background (and picture, if any).
    virtual void Cls() = 0;

    virtual void setBackColor(SurfaceColor color) = 0;
    virtual void setAutoRedraw(bool on) = 0;
    virtual void setScaleMode(std::int16_t mode) = 0;

    // Outer size in twips.
    virtual void setHeight(double twips) = 0;
    virtual void setWidth(double twips) = 0;

    // Size of a text in the current font, in the current scale.
    virtual double TextHeight(const QString& text) const = 0;
    virtual double TextWidth(const QString& text) const = 0;

    // Top-left corner of the next `Print`.
    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual void Print(const QString& text) = 0;

    // A one-pixel-wide straight line from (x1, y1) to (x2, y2), absolute coordinates.
    virtual void Line(int x1, int y1, int x2, int y2, SurfaceColor color) = 0;

    // The screen's size of a pixel in twips, read by the renderers to size the surface.
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
};

}  // namespace etq
