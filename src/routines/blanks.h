#pragma once

#include <QStringView>

namespace etq {

// The text without leading and trailing blanks (the space character only; tabs and other
// white space stay, as the field routines and the import expect).
inline QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) {
        ++begin;
    }
    while (end > begin && text[end - 1] == QLatin1Char(' ')) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

}  // namespace etq
