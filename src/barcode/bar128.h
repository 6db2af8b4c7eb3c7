#pragma once

#include "barcode/code128_renderer.h"

namespace etq {

// A stand-alone Code 128 renderer with its own state: always captioned, drawing left in the
// surface's persistent image. Texts that code set A carries as they are start with Start A;
// texts with lower case, "`" or "{" to "~" start with Start B.
class Bar128 {
  public:
    void Code128(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText);

  private:
    Code128Renderer renderer_{RendererForm::Class};
};

}  // namespace etq
