#pragma once

#include "barcode/drawing_surface.h"

#include <QString>

#include <cstdint>
#include <string_view>

namespace etq {

// Where the bars of a symbol go: one pixel column per module, the module counter `m_X` advanced
// before each module, which is drawn at x = m_X + 10 from y = m_Top down to y = m_Top + m_BarH.
struct BarColumns {
    DrawingSurface* m_Obj = nullptr;
    std::int32_t m_BarH = 0;
    std::int32_t m_Top = 10;
    std::int32_t m_X = 0;

    // One column per character of a bar/space string: "1" black, anything else white; the
    // bars are `extra` pixels longer than m_BarH (guard bars).
    void drawModules(std::string_view pattern, std::int32_t extra = 0);
};

// zBarH tens of pixels as a 16-bit pixel count; overflow is an error raised under `source`.
std::int32_t barHeightOf(std::int16_t zBarH, const QString& source);

// White background, drawing kept in the persistent image, coordinates in pixels.
void prepareWhitePixelSurface(DrawingSurface& surface);

// Surface height in twips: room for the bars, the margins and, with a caption, its text.
double surfaceHeightTwips(DrawingSurface& surface, const QString& caption, std::int32_t barH,
                          bool hasCaption);

// The caption centred under a symbol whose module counter ended at `x`, 5 pixels below bars
// that start at y = 10.
void printCentredCaption(DrawingSurface& surface, std::int32_t x, std::int32_t barH,
                         const QString& caption);

}  // namespace etq
