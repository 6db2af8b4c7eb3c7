#include "platform/qt/png_writer.h"
#include "platform/qt/run_length_deflate.h"

#include <QStringEncoder>
#include <QtEndian>

#include <zlib.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace etq {

namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qsizetype kSignatureSize = 8;
constexpr qsizetype kChunkOverhead = 12;  // length, type and CRC
constexpr qsizetype kHeaderData = 13;

uchar* putBigEndian(uchar* out, quint32 value) {
    qToBigEndian(value, out);
    return out + 4;
}

// Closes the chunk whose data of `size` bytes follows its length and type at `chunk`: writes
// the length and the CRC of type and data; returns the end of the chunk.
uchar* closeChunk(uchar* chunk, qsizetype size) {
    putBigEndian(chunk, static_cast<quint32>(size));
    const auto crc = crc32(0, chunk + 4, static_cast<uInt>(size + 4));
    return putBigEndian(chunk + 8 + size, static_cast<quint32>(crc));
}

}  // namespace

// 1-bit rows, a set bit for white. A row equal to the one above filters to zeros at once; the
// others are packed and taken as their difference from the packed row above (filter "up").
// False, leaving the rows unfinished, as soon as a pixel is neither black nor white.
bool PngWriter::filterBilevel(const QImage& image) {
    const int width = image.width();
    const int height = image.height();
    const qsizetype packed = (qsizetype{width} + 7) / 8;
    const qsizetype rowBytes = 1 + packed;
    rows_.resize(rowBytes * (height + 1));  // one more row: the packed row above
    auto* const out = reinterpret_cast<uchar*>(rows_.data());
    uchar* const above = out + rowBytes * height + 1;
    std::memset(above, 0, static_cast<size_t>(packed));
    const QRgb* previous = nullptr;
    for (int y = 0; y < height; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* const row = out + y * rowBytes;
        row[0] = y == 0 ? 0 : 2;
        if (previous != nullptr &&
            std::memcmp(pixels, previous, static_cast<size_t>(width) * sizeof(QRgb)) == 0) {
            std::memset(row + 1, 0, static_cast<size_t>(packed));
            continue;
        }
        // Black and white differ in their low 24 bits only; any other value is another colour.
        // Runs of eight white or eight black pixels, most of a symbol's caption rows, are
        // recognised without looking at their bits one by one.
        quint32 otherColour = 0;
        for (qsizetype byte = 0; byte < packed; ++byte) {
            const int first = static_cast<int>(byte * 8);
            const int count = std::min(8, width - first);
            const QRgb* group = pixels + first;
            quint32 all = 0xFFFFFF;
            quint32 any = 0;
            for (int i = 0; i < count; ++i) {
                all &= group[i];
                any |= group[i];
            }
            quint32 bits = 0;
            if ((all & 0xFFFFFF) == 0xFFFFFF) {
                bits = 0xFF;
            } else if ((any & 0xFFFFFF) != 0) {
                for (int i = 0; i < count; ++i) {
                    const quint32 rgb = group[i] & 0xFFFFFF;
                    otherColour |= static_cast<quint32>(rgb != 0 && rgb != 0xFFFFFF);
                    bits = bits << 1 | (rgb & 1);
                }
                bits <<= 8 - count;
            }
            bits &= 0xFF00u >> count;
            row[1 + byte] = static_cast<uchar>(bits - above[byte]);
            above[byte] = static_cast<uchar>(bits);
        }
        if (otherColour != 0) {
            return false;
        }
        previous = pixels;
    }
    rows_.resize(rowBytes * height);
    return true;
}

// 8-bit grey or RGB rows, filter "up" below the first.
void PngWriter::filterBytes(const QImage& image, bool grey) {
    const int channels = grey ? 1 : 3;
    const int width = image.width();
    const int height = image.height();
    const qsizetype rowBytes = 1 + qsizetype{width} * channels;
    rows_.resize(rowBytes * height);
    auto* out = reinterpret_cast<uchar*>(rows_.data());
    for (int y = 0; y < height; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        uchar* row = out + y * rowBytes;
        row[0] = y == 0 ? 0 : 2;
        for (int x = 0; x < width; ++x) {
            const QRgb p = pixels[x];
            if (grey) {
                row[1 + x] = static_cast<uchar>(qRed(p));
            } else {
                row[1 + 3 * x] = static_cast<uchar>(qRed(p));
                row[2 + 3 * x] = static_cast<uchar>(qGreen(p));
                row[3 + 3 * x] = static_cast<uchar>(qBlue(p));
            }
        }
    }
    // Differences against the row above, last row first so each still sees the original.
    for (int y = height - 1; y > 0; --y) {
        uchar* row = out + y * rowBytes + 1;
        const uchar* rowAbove = row - rowBytes;
        for (qsizetype i = 0; i < rowBytes - 1; ++i) {
            row[i] = static_cast<uchar>(row[i] - rowAbove[i]);
        }
    }
}

// The file around the filtered rows: signature, header, the compressed rows, end.
// The file around the filtered rows: signature, header, the compressed rows, end.
void PngWriter::compressRows(int width, int height, int bitDepth, int colourType) {
    png_.resize(kSignatureSize + 3 * kChunkOverhead + kHeaderData +
                runLengthZlibBound(rows_.size()));
    auto* out = reinterpret_cast<uchar*>(png_.data());
    std::memcpy(out, kSignature, kSignatureSize);

    uchar* chunk = out + kSignatureSize;
    std::memcpy(chunk + 4, "IHDR", 4);
    uchar* data = putBigEndian(putBigEndian(chunk + 8, static_cast<quint32>(width)),
                               static_cast<quint32>(height));
    // Deflate, adaptive filtering, no interlace.
    const uchar rest[] = {static_cast<uchar>(bitDepth), static_cast<uchar>(colourType), 0, 0, 0};
    std::memcpy(data, rest, sizeof rest);
    chunk = closeChunk(chunk, kHeaderData);

    std::memcpy(chunk + 4, "IDAT", 4);
    const qsizetype compressed =
        runLengthZlib(reinterpret_cast<const uchar*>(rows_.constData()), rows_.size(), chunk + 8);
    chunk = closeChunk(chunk, compressed);

    std::memcpy(chunk + 4, "IEND", 4);
    chunk = closeChunk(chunk, 0);
    png_.resize(chunk - out);
}

void PngWriter::encodeIntoBuffer(const QImage& source) {
    const QImage image =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    // Grey colour type 0 at 1 bit a pixel, grey or RGB (type 2) at 8 bits.
    if (filterBilevel(image)) {
        compressRows(image.width(), image.height(), 1, 0);
        return;
    }
    const bool grey = image.allGray();
    filterBytes(image, grey);
    compressRows(image.width(), image.height(), 8, grey ? 0 : 2);
}

QByteArray PngWriter::encode(const QImage& image) {
    encodeIntoBuffer(image);
    return png_;
}

bool PngWriter::write(const QImage& image, const QString& path) {
    if (image.isNull()) {
        return false;
    }
    encodeIntoBuffer(image);
    // The name, encoded into a buffer that is reused from file to file.
    QStringEncoder encoder(QStringEncoder::System);
    name_.resize(encoder.requiredSpace(path.size()) + 1);
    char* end = encoder.appendToBuffer(name_.data(), path);
    *end = '\0';
    const int fd = ::open(name_.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return false;
    }
    const char* bytes = png_.constData();
    qsizetype left = png_.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, bytes, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            break;
        }
        bytes += written;
        left -= written;
    }
    return ::close(fd) == 0 && left == 0;
}

}  // namespace etq
