#include "jobs/barcode_drawing.h"

#include "barcode/numa_barcode.h"

namespace etq {

void drawBarcode(DrawingSurface& surface, Symbology symbology, std::int16_t zBarH,
                 const QString& text, bool caption, bool code39Check) {
    const numaBarcode barcode;
    switch (symbology) {
        case Symbology::Code128:
            barcode.Code128(surface, zBarH, text, caption);
            break;
        case Symbology::Code39:
            barcode.Code39(surface, zBarH, text, code39Check, caption);
            break;
        case Symbology::EAN13:
            barcode.EAN13(surface, zBarH, text, caption);
            break;
        case Symbology::EAN8:
            barcode.EAN8(surface, zBarH, text, caption);
            break;
    }
}

}  // namespace etq
