#include "barcode/bar39.h"

namespace etq {

void Bar39::Code39(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                   bool zWithCheckSum) {
    renderer_.draw(zObj, zBarH, BarText, zWithCheckSum, true);
}

bool Bar39::CheckCode() {
    return renderer_.CheckCode();
}

}  // namespace etq
