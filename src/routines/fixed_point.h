#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace etq {

// Decimal numbers with four decimal places, held exactly as a count of ten-thousandths.
namespace fixed_point {

constexpr std::int64_t kScale = 10000;

// Reads a number written in the locale's format: an optional sign, digits with group
// separators between them, and the decimal separator with more digits; no blanks. Decimals
// beyond the fourth round to the nearest value, a tie to the even one. Raises etq::Error: type
// mismatch for any other text, overflow beyond the range of the count.
std::int64_t parse(QStringView text, const QLocale& locale);

// A value of 0 or more in the locale's format without group separators and without trailing
// zeros in the decimals: 5, 2,5, 0,0001 for pt_BR.
QString format(std::int64_t value, const QLocale& locale);

// a + b, raising etq::Error (overflow) when the sum leaves the range.
std::int64_t add(std::int64_t a, std::int64_t b);

}  // namespace fixed_point

}  // namespace etq
