#pragma once

#include "barcode/code39_renderer.h"

namespace etq {

// A stand-alone Code 39 renderer with its own state: always captioned, case-sensitive (lower
// case is an invalid character), drawing left in the surface's persistent image.
class Bar39 {
  public:
    // Erases zObj, then draws BarText (asterisks removed) with the check character when
    // zWithCheckSum and the text under the bars.
    void Code39(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                bool zWithCheckSum);
    // Validates the text of the last call (empty before the first call).
    bool CheckCode();

  private:
    Code39Renderer renderer_{RendererForm::Class};
};

}  // namespace etq
