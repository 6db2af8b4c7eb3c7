#include "barcode/code39.h"

#include "barcode/code39_renderer.h"

namespace etq::Code39 {

void DrawCode39(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                bool zWithCheckSum, bool HasCaption) {
    static Code39Renderer module(RendererForm::Module);
    module.draw(zObj, zBarH, BarText, zWithCheckSum, HasCaption);
}

}  // namespace etq::Code39
