#pragma once

#include <QtGlobal>

namespace etq {

// A zlib stream of the bytes in one deflate block with the fixed Huffman codes, where every run
// of a repeated byte becomes that byte and matches at distance 1. Filtered barcode rows are
// almost nothing but such runs: this finds what a general compressor finds there, without
// building code tables or searching for other matches, which cost it far more than the data.
// Other bytes are stored at 8 or 9 bits each.

// The most bytes the stream of `size` bytes can take.
qsizetype runLengthZlibBound(qsizetype size);
// Writes the stream of `data` to `out` (room for runLengthZlibBound bytes); returns its length.
qsizetype runLengthZlib(const uchar* data, qsizetype size, uchar* out);

}  // namespace etq
