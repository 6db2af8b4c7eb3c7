#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace etq {

// A number as an operator types it, read in the system's locale: optional sign, the locale's
// decimal and group separators, an exponent, blanks around it. Empty text and text that is
// not such a number give nothing.
std::optional<double> localeNumber(const QString& text);

// Whether a cell's text is a number in the sense above (the quantity of an item row).
inline bool isNumericText(const QString& text) {
    return localeNumber(text).has_value();
}

// The text as a 16-bit whole number: a fraction rounds to the nearest whole number, halves to
// even; nothing when the text is not a number or the value lies outside -32768 .. 32767.
std::optional<qint16> localeInteger16(const QString& text);

}  // namespace etq
