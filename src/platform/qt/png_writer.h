#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

namespace etq {

// Writes images as PNG files, quickly enough for thousands of small symbols: 8-bit grey when
// every pixel is grey, 8-bit RGB otherwise, each row stored as its difference from the row
// above (identical rows of bars compress to almost nothing). One compressor and its buffers
// serve every file written through the same writer.
class PngWriter {
  public:
    PngWriter();
    ~PngWriter();
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // The PNG encoding of a non-null image.
    QByteArray encode(const QImage& image);
    // False when the image is null or the file cannot be written completely.
    [[nodiscard]] bool write(const QImage& image, const QString& path);

  private:
    struct Compressor;
    std::unique_ptr<Compressor> compressor_;
    QByteArray rows_;
};

}  // namespace etq
