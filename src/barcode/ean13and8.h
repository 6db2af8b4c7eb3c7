#pragma once

#include "barcode/drawing_surface.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

namespace etq {

// Left-half patterns of odd (set A) and even (set B) parity, right-half patterns (set C), by
// digit; and the parity of the six left digits of an EAN-13 symbol by its first digit.
extern const std::array<std::string_view, 10> kEanOdd;
extern const std::array<std::string_view, 10> kEanEven;
extern const std::array<std::string_view, 10> kEanRight;
extern const std::array<std::string_view, 10> kEanParity;

}  // namespace etq

namespace etq::EAN13and8 {

// Draws the EAN-13 symbol of the 12 digits BarText with its computed check digit on zObj,
// guard bars 5 pixels longer than data bars zBarH tens of pixels high; the first digit is
// always printed left of the symbol, the two halves under it when HasCaption. The drawing
// becomes the surface's picture. Fails with the "EAN-13" error for a wrong length or a
// non-digit, with an overflow error when zBarH x 10 leaves 16 bits.
void DrawEAN13(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText, bool HasCaption);

// As DrawEAN13 for the EAN-8 symbol of the 7 digits BarText; source "EAN-8".
void DrawEAN8(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText, bool HasCaption);

}  // namespace etq::EAN13and8
