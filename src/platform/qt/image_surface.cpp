#include "platform/qt/image_surface.h"

#include "platform/error.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

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

QRgb rgbOf(SurfaceColor color) {
    return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// The whole number nearest to the value, halves away from zero, as std::llround gives it: a
// bar's every end point goes through here, so it stays out of the maths library.
long long nearestWhole(double value) {
    auto whole = static_cast<long long>(value);  // towards zero
    const double rest = value - static_cast<double>(whole);
    if (rest >= 0.5) {
        ++whole;
    } else if (rest <= -0.5) {
        --whole;
    }
    return whole;
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
    metricsDevice_ = blankImage(1, 1, twipsPerPixel_);
}

void ImageSurface::setPicture(SurfacePicture picture) {
    picture_ = std::move(picture);
}

// Shares the pixels; the surface copies them before it next draws while the value is held.
SurfacePicture ImageSurface::Image() const {
    return std::make_shared<ImagePicture>(canvas());
}

QImage ImageSurface::picture() const {
    const auto* held = dynamic_cast<const ImagePicture*>(picture_.get());
    return held != nullptr ? held->image : QImage();
}

void ImageSurface::Cls() {
    erasePending_ = true;
    currentX_ = 0;
    currentY_ = 0;
}

// As on a picture box, a new background colour erases the drawing.
void ImageSurface::setBackColor(SurfaceColor color) {
    backColor_ = colorOf(color);
    erasePending_ = true;
}

// The drawing at the current size. An erase only takes effect here, on the size the surface
// has by then: renderers erase, resize and then draw, and the pixels are laid down once.
QImage& ImageSurface::canvas() const {
    if (erasePending_) {
        if (image_.width() != width_ || image_.height() != height_ || !image_.isDetached()) {
            image_ = blankImage(width_, height_, twipsPerPixel_);
        }
        image_.fill(backColor_);
        const QImage shown = picture();
        if (!shown.isNull() && !image_.isNull()) {
            QPainter painter(&image_);
            painter.drawImage(0, 0, shown);
        }
        erasePending_ = false;
    } else if (image_.width() != width_ || image_.height() != height_) {
        // Keeps the drawing at the top-left corner; new area gets the background colour.
        QImage resized = blankImage(width_, height_, twipsPerPixel_);
        resized.fill(backColor_);
        const int rows = std::min(height_, image_.height());
        const int bytes = std::min(width_, image_.width()) * 4;
        for (int y = 0; y < rows; ++y) {
            std::copy_n(image_.constScanLine(y), bytes, resized.scanLine(y));
        }
        image_ = std::move(resized);
    }
    return image_;
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

// The image follows the new size when it is next drawn on or read.
void ImageSurface::setHeight(double twips) {
    height_ = pixelsOfTwips(twips);
}

void ImageSurface::setWidth(double twips) {
    width_ = pixelsOfTwips(twips);
}

int ImageSurface::pixelsOfTwips(double twips) const {
    const double pixels = std::round(twips / twipsPerPixel_);
    if (!(pixels >= 0 && pixels <= kMaxPixels)) {
        invalidValue(QStringLiteral("size %1 twips").arg(twips));
    }
    return static_cast<int>(pixels);
}

double ImageSurface::toPixels(double length) const {
    return scaleMode_ == ScaleTwips ? length / twipsPerPixel_ : length;
}

double ImageSurface::fromPixels(double pixels) const {
    return scaleMode_ == ScaleTwips ? pixels * twipsPerPixel_ : pixels;
}

double ImageSurface::TextHeight(const QString& text) const {
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    return fromPixels(QFontMetricsF(font_, &metricsDevice_).height() * lines);
}

double ImageSurface::TextWidth(const QString& text) const {
    return fromPixels(QFontMetricsF(font_, &metricsDevice_).horizontalAdvance(text));
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
    const QFontMetricsF metrics(font_, &metricsDevice_);
    QImage& image = canvas();
    if (!image.isNull()) {
        QPainter painter(&image);
        // Whole pixels, black on white, as a picture box draws text: the symbol stays
        // two-coloured, so its file is a 1-bit image.
        QFont font = font_;
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(toPixels(currentX_), toPixels(currentY_) + metrics.ascent()),
                         text);
    }
    currentX_ = 0;
    currentY_ += fromPixels(metrics.height());
}

// A line leaves out its end point, as the drawing of a picture box does. Upright and level
// lines (all that bars need) are set pixel by pixel within the image, so a far-off end costs
// nothing; slanted lines go to the painter, which clips them.
void ImageSurface::Line(int x1, int y1, int x2, int y2, SurfaceColor color) {
    const auto pixel = [this](int v) { return nearestWhole(toPixels(v)); };
    const long long fromX = pixel(x1);
    const long long fromY = pixel(y1);
    const long long toX = pixel(x2);
    const long long toY = pixel(y2);
    QImage& image = canvas();
    if (image.isNull() || (fromX == toX && fromY == toY)) {
        return;
    }
    if (fromX != toX && fromY != toY) {
        QPainter painter(&image);
        painter.setPen(QPen(colorOf(color), 0, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(fromX, fromY), QPointF(toX, toY));
        return;
    }
    // The run along the line from its start towards its end, end excluded, cut to the image.
    const bool upright = fromX == toX;
    const long long across = upright ? fromX : fromY;
    const long long start = upright ? fromY : fromX;
    const long long end = upright ? toY : toX;
    const long long length = upright ? image.height() : image.width();
    if (across < 0 || across >= (upright ? image.width() : image.height())) {
        return;
    }
    const long long first = std::max(end > start ? start : end + 1, 0LL);
    const long long last = std::min(end > start ? end - 1 : start, length - 1);
    if (first > last) {
        return;
    }
    const QRgb rgb = rgbOf(color);
    const qsizetype stride = image.bytesPerLine();
    uchar* const bits = image.bits();
    if (upright) {
        uchar* at = bits + first * stride + across * qsizetype{sizeof(QRgb)};
        for (long long y = first; y <= last; ++y, at += stride) {
            *reinterpret_cast<QRgb*>(at) = rgb;
        }
    } else {
        QRgb* row = reinterpret_cast<QRgb*>(bits + across * stride);
        std::fill(row + first, row + last + 1, rgb);
    }
}

bool ImageSurface::save(const QString& path) const {
    if (!pngWriter_) {
        pngWriter_ = std::make_unique<PngWriter>();
    }
    return pngWriter_->write(canvas(), path);
}

}  // namespace etq
