#include "barcode/barcode_error.h"

#include <limits>

namespace etq {

namespace {

template <typename Narrow>
Narrow narrowed(std::int64_t value, const QString& source) {
    if (value < std::numeric_limits<Narrow>::min() || value > std::numeric_limits<Narrow>::max()) {
        throw Error(Error::Overflow, source, QStringLiteral("Overflow"));
    }
    return static_cast<Narrow>(value);
}

}  // namespace

void raiseBarcodeError(const QString& source, const QString& description) {
    throw Error(kBarcodeErrorNumber, source, description);
}

// The operands are at most 32 bits wide, so their 64-bit sum and product are exact.
std::int16_t add16(std::int32_t a, std::int32_t b, const QString& source) {
    return narrowed<std::int16_t>(std::int64_t{a} + b, source);
}

std::int16_t multiply16(std::int32_t a, std::int32_t b, const QString& source) {
    return narrowed<std::int16_t>(std::int64_t{a} * b, source);
}

std::int32_t add32(std::int64_t a, std::int64_t b, const QString& source) {
    return narrowed<std::int32_t>(a + b, source);
}

std::int32_t multiply32(std::int64_t a, std::int64_t b, const QString& source) {
    return narrowed<std::int32_t>(a * b, source);
}

}  // namespace etq
