#include "platform/qt/image_surface.h"

#include "platform/error.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace etq {

namespace {

constexpr std::int32_t kInvalidPropertyValue = 380;
// Beyond this many pixels a side the surface refuses a size instead of failing to allocate.
constexpr double kMaxPixels = 32767;

[[noreturn]] void invalidValue(const QString& what) {
    throw Error(kInvalidPropertyValue, QStringLiteral("ImageSurface"),
                QStringLiteral("Invalid property value: %1").arg(what));
}

// The value handed out as Image and taken back as Picture.
class ImagePicture final : public SurfaceImage {
  public:
    explicit ImagePicture(QImage image) : image(std::move(image)) {}
    QImage image;
};

QColor colorOf(SurfaceColor color) {
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// An image whose resolution matches the surface's pixel size, so that text is laid out at the
// size the font metrics report.
QImage blankImage(int width, int height, double twipsPerPixel) {
    QImage image(width, height, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(std::lround(1440.0 / twipsPerPixel / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
}

}  // namespace

ImageSurface::ImageSurface(double twipsPerPixel) : twipsPerPixel_(twipsPerPixel) {
    if (!(twipsPerPixel > 0)) {
        invalidValue(QStringLiteral("twips per pixel %1").arg(twipsPerPixel));
    }
    image_ = blankImage(0, 0, twipsPerPixel_);
}

void ImageSurface::setPicture(SurfacePicture picture) {
    picture_ = std::move(picture);
}

SurfacePicture ImageSurface::Image() const {
    return std::make_shared<ImagePicture>(image_.copy());
}

QImage ImageSurface::picture() const {
    const auto* held = dynamic_cast<const ImagePicture*>(picture_.get());
    return held != nullptr ? held->image : QImage();
}

void ImageSurface::Cls() {
    erase();
    currentX_ = 0;
    currentY_ = 0;
}

// The background colour, with the picture (if any) at the top-left corner.
void ImageSurface::erase() {
    image_.fill(backColor_);
    const QImage shown = picture();
    if (!shown.isNull() && !image_.isNull()) {
        QPainter painter(&image_);
        painter.drawImage(0, 0, shown);
    }
}

// As on a picture box, a new background colour erases the drawing.
void ImageSurface::setBackColor(SurfaceColor color) {
    backColor_ = colorOf(color);
    erase();
}

// The surface has only its persistent image, so the switch changes nothing but is kept.
void ImageSurface::setAutoRedraw(bool on) {
    autoRedraw_ = on;
}

void ImageSurface::setScaleMode(std::int16_t mode) {
    if (mode != ScaleTwips && mode != ScalePixels) {
        invalidValue(QStringLiteral("scale mode %1").arg(mode));
    }
    scaleMode_ = mode;
}

// The size is kept apart from the image, which stays empty while either side is 0.
void ImageSurface::setHeight(double twips) {
    height_ = pixelsOfTwips(twips);
    resize();
}

void ImageSurface::setWidth(double twips) {
    width_ = pixelsOfTwips(twips);
    resize();
}

int ImageSurface::pixelsOfTwips(double twips) const {
    const double pixels = std::round(twips / twipsPerPixel_);
    if (!(pixels >= 0 && pixels <= kMaxPixels)) {
        invalidValue(QStringLiteral("size %1 twips").arg(twips));
    }
    return static_cast<int>(pixels);
}

// Keeps the drawing at the top-left corner; new area gets the background colour.
void ImageSurface::resize() {
    if (width_ == image_.width() && height_ == image_.height()) {
        return;
    }
    QImage resized = blankImage(width_, height_, twipsPerPixel_);
    resized.fill(backColor_);
    const int rows = std::min(height_, image_.height());
    const int bytes = std::min(width_, image_.width()) * 4;
    for (int y = 0; y < rows; ++y) {
        std::copy_n(image_.constScanLine(y), bytes, resized.scanLine(y));
    }
    image_ = std::move(resized);
}

double ImageSurface::toPixels(double length) const {
    return scaleMode_ == ScaleTwips ? length / twipsPerPixel_ : length;
}

double ImageSurface::fromPixels(double pixels) const {
    return scaleMode_ == ScaleTwips ? pixels * twipsPerPixel_ : pixels;
}

double ImageSurface::TextHeight(const QString& text) const {
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    return fromPixels(QFontMetricsF(font_, &image_).height() * lines);
}

double ImageSurface::TextWidth(const QString& text) const {
    return fromPixels(QFontMetricsF(font_, &image_).horizontalAdvance(text));
}

void ImageSurface::setCurrentX(double x) {
    currentX_ = x;
}

void ImageSurface::setCurrentY(double y) {
    currentY_ = y;
}

// Text in black with its top-left corner at the current position, which then moves to the
// start of the next line.
void ImageSurface::Print(const QString& text) {
    const QFontMetricsF metrics(font_, &image_);
    if (!image_.isNull()) {
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(toPixels(currentX_), toPixels(currentY_) + metrics.ascent()),
                         text);
    }
    currentX_ = 0;
    currentY_ += fromPixels(metrics.height());
}

// Bresenham's line from the first point towards the second, the second left out; pixels off
// the image are clipped.
void ImageSurface::Line(int x1, int y1, int x2, int y2, SurfaceColor color) {
    const auto pixel = [this](int v) { return static_cast<int>(std::lround(toPixels(v))); };
    int x = pixel(x1);
    int y = pixel(y1);
    const int endX = pixel(x2);
    const int endY = pixel(y2);
    const QRgb rgb = colorOf(color).rgb();
    const int dx = std::abs(endX - x);
    const int dy = -std::abs(endY - y);
    const int stepX = x < endX ? 1 : -1;
    const int stepY = y < endY ? 1 : -1;
    int error = dx + dy;
    while (x != endX || y != endY) {
        if (x >= 0 && y >= 0 && x < image_.width() && y < image_.height()) {
            reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = rgb;
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

bool ImageSurface::save(const QString& path) const {
    return !image_.isNull() && image_.save(path, "PNG");
}

}  // namespace etq
