#include "barcode/bar_columns.h"

#include "barcode/barcode_error.h"

namespace etq {

void BarColumns::drawModules(std::string_view pattern, std::int32_t extra) {
    for (const char module : pattern) {
        ++m_X;
        m_Obj->Line(m_X + 10, m_Top, m_X + 10, m_Top + m_BarH + extra,
                    module == '1' ? kBlack : kWhite);
    }
}

std::int32_t barHeightOf(std::int16_t zBarH, const QString& source) {
    return multiply16(zBarH, 10, source);
}

void prepareWhitePixelSurface(DrawingSurface& surface) {
    surface.setBackColor(kWhite);
    surface.setAutoRedraw(true);
    surface.setScaleMode(DrawingSurface::ScalePixels);
}

double surfaceHeightTwips(DrawingSurface& surface, const QString& caption, std::int32_t barH,
                          bool hasCaption) {
    const double pixels =
        hasCaption ? surface.TextHeight(caption) + barH + 25.0 : static_cast<double>(barH) + 20.0;
    return pixels * surface.TwipsPerPixelY();
}

void printCentredCaption(DrawingSurface& surface, std::int32_t x, std::int32_t barH,
                         const QString& caption) {
    surface.setCurrentX((x + 20) / 2.0 - surface.TextWidth(caption) / 2.0);
    surface.setCurrentY(barH + 15);
    surface.Print(caption);
}

}  // namespace etq
