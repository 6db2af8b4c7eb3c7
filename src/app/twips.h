#pragma once

#include <QPaintDevice>
#include <QRect>

#include <cmath>

namespace etq {

// Window layout is measured in twips, 1440 to the inch, converted with the screen's logical DPI.
inline int twipsToPixelsX(const QPaintDevice& device, int twips) {
    return static_cast<int>(std::lround(twips * device.logicalDpiX() / 1440.0));
}

inline int twipsToPixelsY(const QPaintDevice& device, int twips) {
    return static_cast<int>(std::lround(twips * device.logicalDpiY() / 1440.0));
}

inline QRect twipsRect(const QPaintDevice& device, int left, int top, int width, int height) {
    return {twipsToPixelsX(device, left), twipsToPixelsY(device, top),
            twipsToPixelsX(device, width), twipsToPixelsY(device, height)};
}

}  // namespace etq
