#pragma once

#include "barcode/drawing_surface.h"

#include <QString>

#include <cstdint>

namespace etq {

enum class Symbology { Code128, Code39, EAN13, EAN8 };

// Draws one symbol through the facade numaBarcode: bars zBarH tens of pixels high, the text
// under them when `caption`, the check character of Code 39 when `code39Check` (the other
// symbologies always carry theirs). Renderer errors reach the caller unchanged.
void drawBarcode(DrawingSurface& surface, Symbology symbology, std::int16_t zBarH,
                 const QString& text, bool caption, bool code39Check);

}  // namespace etq
