// The barcode renderers over arbitrary texts, switches and bar heights. A call either ends with
// one of the renderers' ordinary errors or draws a symbol that fits inside the surface it sized.
#include "barcode/bar128.h"
#include "barcode/bar39.h"
#include "barcode/barcode_error.h"
#include "barcode/numa_barcode.h"
#include "barcode/pixel_grid_surface.h"
#include "platform/error.h"
#include "platform/text_encoding.h"

#include "fuzz_support.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

using etq::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) {
        return 0;
    }
    // Renderer and switches, bar height, then the text (Windows-1252, or UTF-16 when asked).
    const int kind = data[0] % 6;
    const bool first = data[0] & 0x10;
    const bool second = data[0] & 0x20;
    const auto barH = static_cast<std::int16_t>(data[1] | (data[2] << 8));
    const QByteArrayView bytes(reinterpret_cast<const char*>(data) + 3,
                               static_cast<qsizetype>(size - 3));
    const QString text =
        (data[0] & 0x40)
            ? QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2)
            : etq::decodeWindows1252(bytes);

    etq::test::PixelGridSurface surface;
    const etq::numaBarcode facade;
    try {
        switch (kind) {
            case 0:
                facade.Code128(surface, barH, text, first);
                break;
            case 1:
                facade.Code39(surface, barH, text, first, second);
                break;
            case 2:
                facade.EAN13(surface, barH, text, first);
                break;
            case 3:
                facade.EAN8(surface, barH, text, first);
                break;
            case 4:
                etq::Bar39().Code39(surface, barH, text, first);
                break;
            default:
                etq::Bar128().Code128(surface, barH, text);
                break;
        }
    } catch (const etq::Error& error) {
        const auto number = error.number();
        require(number == etq::kBarcodeErrorNumber || number == etq::Error::Overflow ||
                    number == etq::Error::SubscriptOutOfRange,
                "only the renderers' own errors");
        return 0;
    }
    if (!surface.lines.empty()) {
        const double widthPixels = surface.width / surface.TwipsPerPixelX();
        require(surface.lastColumn() < std::ceil(widthPixels), "the symbol fits its surface");
        require(surface.lines.begin()->first >= 0, "no column left of the surface");
    }
    return 0;
}
