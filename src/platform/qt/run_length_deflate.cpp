#include "platform/qt/run_length_deflate.h"

#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <array>

namespace etq {

namespace {

// A code as deflate stores it: the bits in the order they go out, lowest first.
struct Code {
    quint32 bits = 0;
    int length = 0;
};

quint32 reversed(quint32 code, int length) {
    quint32 out = 0;
    for (int i = 0; i < length; ++i) {
        out = out << 1 | ((code >> i) & 1);
    }
    return out;
}

// The fixed literal/length code of a symbol (0 to 287).
Code fixedCode(int symbol) {
    if (symbol < 144) {
        return {reversed(0x30 + symbol, 8), 8};
    }
    if (symbol < 256) {
        return {reversed(0x190 + symbol - 144, 9), 9};
    }
    if (symbol < 280) {
        return {reversed(symbol - 256, 7), 7};
    }
    return {reversed(0xC0 + symbol - 280, 8), 8};
}

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;

struct Tables {
    std::array<Code, 256> literal;
    // Length code, extra bits and the distance code of distance 1 (five zero bits), per length.
    std::array<Code, kMaxMatch + 1> match;

    Tables() {
        for (int b = 0; b < 256; ++b) {
            literal[b] = fixedCode(b);
        }
        constexpr std::array<int, 29> base = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                              15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                              67, 83, 99, 115, 131, 163, 195, 227, 258};
        constexpr std::array<int, 29> extra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        for (int length = kMinMatch; length <= kMaxMatch; ++length) {
            int i = 0;
            while (i + 1 < static_cast<int>(base.size()) && base[i + 1] <= length) {
                ++i;
            }
            const Code code = fixedCode(257 + i);
            const auto extraValue = static_cast<quint32>(length - base[i]);
            match[length] = {code.bits | extraValue << code.length, code.length + extra[i] + 5};
        }
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

class BitWriter {
  public:
    explicit BitWriter(uchar* out) : out_(out) {}
    void put(Code code) {
        pending_ |= quint64{code.bits} << count_;
        count_ += code.length;
        while (count_ >= 8) {
            *out_++ = static_cast<uchar>(pending_);
            pending_ >>= 8;
            count_ -= 8;
        }
    }
    uchar* finish() {
        if (count_ > 0) {
            *out_++ = static_cast<uchar>(pending_);
        }
        return out_;
    }

  private:
    uchar* out_;
    quint64 pending_ = 0;
    int count_ = 0;
};

}  // namespace

qsizetype runLengthZlibBound(qsizetype size) {
    // Header, block header and end code, at most 9 bits a byte, Adler-32.
    return 2 + (3 + 9 * size + 7 + 7) / 8 + 4;
}

qsizetype runLengthZlib(const uchar* data, qsizetype size, uchar* out) {
    const Tables& t = tables();
    // Deflate with a 32 KB window, no preset dictionary, fastest compression.
    out[0] = 0x78;
    out[1] = 0x01;
    BitWriter bits(out + 2);
    bits.put({0b011, 3});  // the last block, fixed codes
    qsizetype i = 0;
    while (i < size) {
        const uchar byte = data[i++];
        bits.put(t.literal[byte]);
        qsizetype run = 0;
        while (i + run < size && data[i + run] == byte) {
            ++run;
        }
        while (run >= kMinMatch) {
            const auto length = static_cast<int>(std::min<qsizetype>(run, kMaxMatch));
            bits.put(t.match[length]);
            i += length;
            run -= length;
        }
    }
    bits.put(fixedCode(256));  // end of block
    uchar* end = bits.finish();
    const auto adler = adler32(adler32(0, nullptr, 0), data, static_cast<uInt>(size));
    qToBigEndian(static_cast<quint32>(adler), end);
    return end + 4 - out;
}

}  // namespace etq
