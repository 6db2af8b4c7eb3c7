#include "barcode/code128.h"

#include "barcode/barcode_error.h"
#include "barcode/code128_renderer.h"

namespace etq::Code128 {

void DrawCode128(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                 bool HasCaption) {
    static Code128Renderer module(RendererForm::Module);
    module.draw(zObj, zBarH, BarText, HasCaption);
}

std::int16_t CountSymbols(const QString& text) {
    static const QString source = QStringLiteral("CountSymbols");
    std::int16_t total = 0;
    std::int16_t run = 0;
    for (const QChar c : text) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            run = add16(run, 1, source);
        } else {
            // The pending digits and the character that ends them, each in code set B.
            total = add16(total, run + 1, source);
            run = 0;
        }
    }
    if (run >= 4) {
        if (run % 2 != 0) {
            total = add16(total, 1, source);
            --run;
        }
        if (total != 0) {
            total = add16(total, 1, source);  // the switch to code set C
        }
        return add16(total, run / 2, source);
    }
    return add16(total, run, source);
}

}  // namespace etq::Code128
