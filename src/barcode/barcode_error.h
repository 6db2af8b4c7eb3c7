#pragma once

#include "platform/error.h"

#include <QString>

#include <cstdint>

namespace etq {

// The number every renderer raises for invalid bar text (hex 80040201, an object-defined error).
constexpr std::int32_t kBarcodeErrorNumber = static_cast<std::int32_t>(0x80040201u);

[[noreturn]] void raiseBarcodeError(const QString& source, const QString& description);

// Arithmetic in the widths the renderers keep their counters in: a result that does not fit
// ends the call with an overflow error, never with a wrapped value.
std::int16_t add16(std::int32_t a, std::int32_t b, const QString& source);
std::int16_t multiply16(std::int32_t a, std::int32_t b, const QString& source);
std::int32_t add32(std::int64_t a, std::int64_t b, const QString& source);
std::int32_t multiply32(std::int64_t a, std::int64_t b, const QString& source);

}  // namespace etq
