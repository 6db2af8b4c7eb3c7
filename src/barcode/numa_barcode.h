#pragma once

#include "barcode/drawing_surface.h"

#include <QString>

#include <cstdint>

namespace etq {

// One object to draw any supported symbology: each method hands its arguments unchanged to
// the renderer module and lets every error reach the caller. Stateless, but all instances
// share the modules' state, so one rendering runs at a time.
class numaBarcode {
  public:
    void Code128(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                 bool HasCaption) const;
    void Code39(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
                bool zWithCheckSum, bool HasCaption) const;
    void EAN13(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
               bool HasCaption) const;
    void EAN8(DrawingSurface& zObj, std::int16_t zBarH, const QString& BarText,
              bool HasCaption) const;
};

}  // namespace etq
