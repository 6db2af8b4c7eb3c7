#pragma once

#include "barcode/drawing_surface.h"

#include <QString>

#include <cstdint>

namespace etq::Code39 {

// Draws a Code 39 symbol of BarText (asterisks removed, upper-cased) on zObj, bars zBarH tens
// of pixels high, with the modulo-43 check character when zWithCheckSum and the text under the
// bars when HasCaption; the drawing becomes the surface's picture. The module keeps one
// rendering's state, so calls must not overlap. Fails with the "Bar 39" error for a character
// outside the set and with an overflow error when zBarH x 10 leaves 16 bits.
void DrawCode39(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                bool zWithCheckSum, bool HasCaption);

}  // namespace etq::Code39
