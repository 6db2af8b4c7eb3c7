#include "barcode/numa_barcode.h"

#include "barcode/code128.h"
#include "barcode/code39.h"
#include "barcode/ean13and8.h"

namespace etq {

void numaBarcode::Code128(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                          bool HasCaption) const {
    etq::Code128::DrawCode128(zObj, zBarH, BarText, HasCaption);
}

void numaBarcode::Code39(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                         bool zWithCheckSum, bool HasCaption) const {
    etq::Code39::DrawCode39(zObj, zBarH, BarText, zWithCheckSum, HasCaption);
}

void numaBarcode::EAN13(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                        bool HasCaption) const {
    EAN13and8::DrawEAN13(zObj, zBarH, BarText, HasCaption);
}

void numaBarcode::EAN8(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                       bool HasCaption) const {
    EAN13and8::DrawEAN8(zObj, zBarH, BarText, HasCaption);
}

}  // namespace etq
