#include "routines/fixed_point.h"

#include "platform/error.h"

namespace etq::fixed_point {

namespace {

const QString kSource = QStringLiteral("Currency");

[[noreturn]] void typeMismatch(QStringView text) {
    throw Error(Error::TypeMismatch, kSource,
                QStringLiteral("Type mismatch: \"%1\" is not a number").arg(text));
}

[[noreturn]] void overflow() {
    throw Error(Error::Overflow, kSource, QStringLiteral("Overflow"));
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// value * 10 + digit, in magnitude (negative numbers are negated at the end).
std::uint64_t shiftIn(std::uint64_t value, QChar digit) {
    std::uint64_t result = 0;
    if (__builtin_mul_overflow(value, 10u, &result) ||
        __builtin_add_overflow(result, static_cast<std::uint64_t>(digit.unicode() - '0'),
                               &result)) {
        overflow();
    }
    return result;
}

}  // namespace

std::int64_t parse(QStringView text, const QLocale& locale) {
    qsizetype pos = 0;
    bool negative = false;
    auto at = [&](const QString& token) {
        return !token.isEmpty() && text.sliced(pos).startsWith(token);
    };
    if (at(locale.negativeSign()) || at(QStringLiteral("-"))) {
        negative = true;
        pos += text[pos] == QLatin1Char('-') ? 1 : locale.negativeSign().size();
    } else if (at(locale.positiveSign()) || at(QStringLiteral("+"))) {
        pos += text[pos] == QLatin1Char('+') ? 1 : locale.positiveSign().size();
    }

    std::uint64_t units = 0;
    int digits = 0;
    const QString group = locale.groupSeparator();
    while (pos < text.size()) {
        if (isDigit(text[pos])) {
            units = shiftIn(units, text[pos++]);
            ++digits;
        } else if (digits > 0 && at(group) && pos + group.size() < text.size() &&
                   isDigit(text[pos + group.size()])) {
            pos += group.size();
        } else {
            break;
        }
    }

    // The first four decimals, and how the rest compares with half of the last place kept.
    std::uint64_t decimals = 0;
    int kept = 0;
    int rest = 0;  // -1 below half, 0 none, 1 exactly half so far, 2 above half
    if (at(locale.decimalPoint())) {
        pos += locale.decimalPoint().size();
        for (; pos < text.size() && isDigit(text[pos]); ++pos, ++digits) {
            const int digit = text[pos].unicode() - '0';
            if (kept < 4) {
                decimals = decimals * 10 + digit;
                ++kept;
            } else if (rest == 0) {
                rest = digit > 5 ? 2 : (digit == 5 ? 1 : -1);
            } else if (rest == 1 && digit > 0) {
                rest = 2;
            }
        }
    }
    if (digits == 0 || pos != text.size()) {
        typeMismatch(text);
    }
    for (; kept < 4; ++kept) {
        decimals *= 10;
    }

    std::uint64_t magnitude = 0;
    if (__builtin_mul_overflow(units, static_cast<std::uint64_t>(kScale), &magnitude) ||
        __builtin_add_overflow(magnitude, decimals, &magnitude)) {
        overflow();
    }
    if (rest == 2 || (rest == 1 && magnitude % 2 == 1)) {
        ++magnitude;
    }
    const std::uint64_t limit = static_cast<std::uint64_t>(INT64_MAX) + (negative ? 1 : 0);
    if (magnitude > limit) {
        overflow();
    }
    return negative ? static_cast<std::int64_t>(0 - magnitude)
                    : static_cast<std::int64_t>(magnitude);
}

QString format(std::int64_t value, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = plain.toString(static_cast<qlonglong>(value / kScale));
    QString decimals = QString::number(value % kScale).rightJustified(4, QLatin1Char('0'));
    while (decimals.endsWith(QLatin1Char('0'))) {
        decimals.chop(1);
    }
    return decimals.isEmpty() ? text : text + locale.decimalPoint() + decimals;
}

std::int64_t add(std::int64_t a, std::int64_t b) {
    std::int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        overflow();
    }
    return sum;
}

}  // namespace etq::fixed_point
