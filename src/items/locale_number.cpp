#include "items/locale_number.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace etq {

std::optional<double> localeNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = QLocale().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<qint16> localeInteger16(const QString& text) {
    const std::optional<double> value = localeNumber(text);
    if (!value) {
        return std::nullopt;
    }
    // nearbyint rounds in the default mode, to nearest with halves to even.
    const double whole = std::nearbyint(*value);
    if (whole < std::numeric_limits<qint16>::min() || whole > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return static_cast<qint16>(whole);
}

}  // namespace etq
