#pragma once

#include "barcode/drawing_surface.h"

#include <QString>

#include <cstdint>

namespace etq::Code128 {

// Draws a Code 128 symbol of BarText on zObj: code set B, a final run of four or more digits
// in code set C, the check character, the text under the bars when HasCaption; the drawing
// becomes the surface's picture. One rendering at a time. A character outside space to "~"
// ends the call with a subscript-out-of-range error (what was drawn stays); zBarH x 10 beyond
// 16 bits with an overflow error.
void DrawCode128(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText, bool HasCaption);

// The number of data symbol characters (switch to code set C included, start and check not)
// that DrawCode128 draws for text; it sizes the surface.
std::int16_t CountSymbols(const QString& text);

}  // namespace etq::Code128
