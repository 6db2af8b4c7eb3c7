#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace etq {

// Writes images as PNG files, quickly enough for thousands of small symbols. An image of black
// and white pixels only (a barcode) is stored as 1-bit grey, eight pixels a byte; any other
// image as 8-bit grey when every pixel is grey, 8-bit RGB otherwise. Each row is stored as its
// difference from the row above, so identical rows of bars compress to almost nothing (see
// runLengthZlib). The buffers serve every file written through the same writer: writing a file
// allocates nothing once they have grown to the largest image.
class PngWriter {
  public:
    PngWriter() = default;
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    // The PNG encoding of a non-null image.
    QByteArray encode(const QImage& image);
    // False when the image is null or the file cannot be written completely.
    [[nodiscard]] bool write(const QImage& image, const QString& path);

  private:
    void encodeIntoBuffer(const QImage& image);
    bool filterBilevel(const QImage& image);
    void filterBytes(const QImage& image, bool grey);
    void compressRows(int width, int height, int bitDepth, int colourType);

    QByteArray rows_;  // the filtered rows, each led by its filter byte
    QByteArray png_;   // the file being built
    QByteArray name_;  // the file name in the system's encoding
};

}  // namespace etq
