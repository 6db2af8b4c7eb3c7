#pragma once

#include <QStringView>

namespace etq {

// The program's fields and files count only the space as a blank (tabs, CR and LF stay part of
// a text); settings files and the print batch also take tabs for blanks around their names.
inline bool isSpace(QChar c) {
    return c == QLatin1Char(' ');
}
inline bool isSpaceOrTab(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

template <typename IsBlank>
QStringView trimmedBy(QStringView text, IsBlank isBlank) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

// The text without leading and trailing spaces.
inline QStringView trimBlanks(QStringView text) {
    return trimmedBy(text, isSpace);
}
// The text without leading and trailing spaces and tabs.
inline QStringView trimBlanksAndTabs(QStringView text) {
    return trimmedBy(text, isSpaceOrTab);
}

}  // namespace etq
