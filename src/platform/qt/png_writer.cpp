#include "platform/qt/png_writer.h"

#include <QFile>
#include <QtEndian>

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace etq {

namespace {

void appendBigEndian(QByteArray& out, quint32 value) {
    char bytes[4];
    qToBigEndian(value, bytes);
    out.append(bytes, 4);
}

// Length, type, data and the CRC of type and data.
void appendChunk(QByteArray& out, const char* type, const char* data, qsizetype size) {
    appendBigEndian(out, static_cast<quint32>(size));
    const qsizetype typeAt = out.size();
    out.append(type, 4);
    out.append(data, size);
    const auto* covered = reinterpret_cast<const Bytef*>(out.constData() + typeAt);
    appendBigEndian(out, static_cast<quint32>(crc32(0, covered, static_cast<uInt>(size + 4))));
}

}  // namespace

struct PngWriter::Compressor {
    Compressor() {
        std::memset(&stream, 0, sizeof stream);
        // Filtered symbol rows are long runs of zeros: run-length matching finds nearly all
        // there is to find, at a fraction of the cost of a full search.
        if (deflateInit2(&stream, 6, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) {
            throw std::bad_alloc();
        }
    }
    ~Compressor() { deflateEnd(&stream); }

    z_stream stream;
    QByteArray output;
};

PngWriter::PngWriter() : compressor_(std::make_unique<Compressor>()) {}

PngWriter::~PngWriter() = default;

QByteArray PngWriter::encode(const QImage& source) {
    const QImage image =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    const bool grey = image.allGray();
    const int channels = grey ? 1 : 3;
    const int width = image.width();
    const int height = image.height();
    const qsizetype rowBytes = 1 + qsizetype{width} * channels;

    // Filter byte 0 (none) for the first row, 2 (up) for the others.
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
        const uchar* above = row - rowBytes;
        for (qsizetype i = 0; i < rowBytes - 1; ++i) {
            row[i] = static_cast<uchar>(row[i] - above[i]);
        }
    }

    z_stream& stream = compressor_->stream;
    deflateReset(&stream);
    QByteArray& compressed = compressor_->output;
    compressed.resize(
        static_cast<qsizetype>(deflateBound(&stream, static_cast<uLong>(rows_.size()))));
    stream.next_in = reinterpret_cast<Bytef*>(rows_.data());
    stream.avail_in = static_cast<uInt>(rows_.size());
    stream.next_out = reinterpret_cast<Bytef*>(compressed.data());
    stream.avail_out = static_cast<uInt>(compressed.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END) {
        throw std::runtime_error("PNG compression failed");
    }
    const auto compressedSize = static_cast<qsizetype>(stream.total_out);

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    png.reserve(8 + 25 + 12 + compressedSize + 12);
    QByteArray header;
    appendBigEndian(header, static_cast<quint32>(width));
    appendBigEndian(header, static_cast<quint32>(height));
    // 8 bits a sample; grey (0) or RGB (2); deflate, adaptive filtering, no interlace.
    header.append(static_cast<char>(8)).append(static_cast<char>(grey ? 0 : 2));
    header.append(3, '\0');
    appendChunk(png, "IHDR", header.constData(), header.size());
    appendChunk(png, "IDAT", compressed.constData(), compressedSize);
    appendChunk(png, "IEND", nullptr, 0);
    return png;
}

bool PngWriter::write(const QImage& image, const QString& path) {
    if (image.isNull()) {
        return false;
    }
    const QByteArray png = encode(image);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const bool written = file.write(png) == png.size();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

}  // namespace etq
