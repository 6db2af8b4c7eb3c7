#include "barcode/bar128.h"

namespace etq {

void Bar128::Code128(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText) {
    renderer_.draw(zObj, zBarH, BarText, true);
}

}  // namespace etq
