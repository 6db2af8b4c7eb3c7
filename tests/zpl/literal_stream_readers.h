#pragma once

// Plain step-by-step versions of the stream readers (1-based positions, the stream field
// re-read and rewritten on every pass, the grid searched row by row): slow on purpose, the
// yardstick the fast readers must match. Where the plain steps would fail or never end they
// stop as the readers do: an incomplete tail stays, a value without its terminator ends with
// its label, a count that is not a number counts as 0, a "^PQ" quantity without "," ends at
// the next command, a reference whose "^FS" lies past its "^XZ" is skipped, an empty one
// names no item.

#include "platform/flex_grid.h"
#include "platform/text_field.h"
#include "zpl/accent_folding.h"

#include <QRegularExpression>
#include <QStringList>

#include <limits>
#include <tuple>

namespace etq::literal {

// Position of `what` in `text` from `start` on, 1-based; 0 when absent.
inline qsizetype InStr(qsizetype start, const QString& text, const QString& what) {
    return start > text.size() ? 0 : text.indexOf(what, start - 1) + 1;
}

inline QString Mid(const QString& text, qsizetype start,
                   qsizetype length = std::numeric_limits<qsizetype>::max()) {
    return start > text.size() || length <= 0 ? QString() : text.mid(start - 1, length);
}

// Without leading and trailing spaces (other blanks stay).
inline QString Trim(const QString& text) {
    static const QRegularExpression spaces(QStringLiteral("^ +| +$"));
    return QString(text).remove(spaces);
}

struct Key {
    QString text;
    QString terminator;
    int column;
};

inline const QList<Key>& separationKeys() {
    static const QList<Key> keys = {
        {"^FD>;", "^", 1},
        {"8182,63^FWN^A0,N37,35^FD", "^", 2},
        {"^PQ", ",", 0},
        {"82,180.090909090909090909090909090909090909^FWN^A0,N32,30^FD", "^", 3},
        {"82,207.090909090909090909090909090909090909^FWN^A0,N32,30^FD", "^", 4},
        {"82,248.090909090909090909090909090909090909^FWN^A0,N28,26^FD", "^", 5},
        {"82,285.090909090909090909090909090909090909^FWN^A0,N28,26^FD", "^", 6},
    };
    return keys;
}

// The value end as SEPARA_1 finds it: a search for the terminator.
inline qsizetype endBySearch(const QString& label, qsizetype s, const QString& terminator) {
    const qsizetype e = InStr(s, label, terminator);
    return e == 0 ? label.size() + 1 : e;
}

// The value end as SEPARA_2 finds it: one character after the other.
inline qsizetype endByScan(const QString& label, qsizetype s, const QString& terminator) {
    qsizetype e = s;
    while (e <= label.size() && Mid(label, e, 1) != terminator) {
        ++e;
    }
    return e;
}

template <typename ValueEnd>
inline void appendLabelRow(FlexGrid& grid, const QString& label, ValueEnd valueEnd) {
    QStringList values(7);
    for (const Key& key : separationKeys()) {
        const qsizetype s = InStr(1, label, key.text) + key.text.size();
        const qsizetype e = valueEnd(label, s, key.terminator);
        values[key.column] = Mid(label, s, e - s);
    }
    grid.widenHidden(7);
    for (int col = 0; col <= 6; ++col) {
        grid.setTextMatrix(grid.Rows() - 1, col, values[col]);
    }
    grid.setRows(grid.Rows() + 1);
}

inline void SEPARA_1(TextField& zpl, TextField& etq, TextField& resto, FlexGrid& grid) {
    for (;;) {
        const QString t = zpl.text();
        const qsizetype a = InStr(1, t, QStringLiteral("^XA"));
        const qsizetype z = InStr(1, t, QStringLiteral("^XZ"));
        if (a == 0 || z == 0) {
            return;  // no complete label left: the tail stays
        }
        const qsizetype b = z + 2;
        etq.setText(Mid(t, a, b));
        resto.setText(Mid(t, b + 1));
        zpl.setText(resto.text());
        if (etq.text().size() > 20) {
            appendLabelRow(grid, etq.text(), endBySearch);
        }
        if (Trim(zpl.text()).size() <= 10) {
            return;
        }
    }
}

inline void SEPARA_2(TextField& zpl, TextField& etq, TextField& resto, FlexGrid& grid) {
    qsizetype p = 1, a = 0, b = 0;
    for (;;) {
        const QString t = zpl.text();
        const QString three = Mid(t, p, 3).toUpper();
        if (three == QStringLiteral("^XA")) {
            a = p;
        }
        if (three == QStringLiteral("^XZ")) {
            b = p + 2;
        }
        ++p;
        if (b != 0) {
            if (a == 0) {
                return;  // "^XZ" before any "^XA": the tail stays
            }
            etq.setText(Mid(t, a, b));
            resto.setText(Mid(t, b + 1));
            zpl.setText(resto.text());
            a = 0;
            b = 0;
            p = 1;
            if (etq.text().size() > 20) {
                appendLabelRow(grid, etq.text(), endByScan);
            }
        }
        if (Trim(zpl.text()).size() <= 10) {
            return;
        }
        if (p > zpl.text().size()) {
            return;  // no further "^XZ": the tail stays
        }
    }
}

inline const QString kItemKey = QStringLiteral("^FT3,113^A0N,28,28^FH\\^FD");

inline qint64 countIn(const QString& cell) {
    bool ok = false;
    const qint64 n = cell.trimmed().toLongLong(&ok);
    return ok && n < std::numeric_limits<qint64>::max() ? n : 0;
}

// The quantity of the "^PQ" at j: up to its "," or, lacking one, the next command.
inline QString quantityAt(const QString& s, qsizetype j) {
    qsizetype c = j + 3;
    while (c <= s.size() && Mid(s, c, 1) != QStringLiteral(",") &&
           Mid(s, c, 1) != QStringLiteral("^")) {
        ++c;
    }
    return Mid(s, j + 3, c - (j + 3));
}

inline void Pega_Itens(TextField& zpl, FlexGrid& grid) {
    const QString s = zpl.text();
    const QString fs = QStringLiteral("^FS");
    qsizetype p = 1;
    for (;;) {
        const qsizetype k = InStr(p, s, kItemKey);
        if (k == 0) {
            break;
        }
        const qsizetype e = InStr(k, s, fs);
        const qsizetype z = InStr(k, s, QStringLiteral("^XZ"));
        // A field end beyond the label's end is none; an empty reference names no item.
        if (e > k + 25 && (z == 0 || e < z)) {
            const QString r = Mid(s, k + 25, e - (k + 25));
            bool found = false;
            for (int row = 1; row <= grid.Rows() - 1 && !found; ++row) {
                if (grid.TextMatrix(row, 1) == r) {
                    grid.setTextMatrix(row, 0,
                                       QString::number(countIn(grid.TextMatrix(row, 0)) + 1));
                    found = true;
                }
            }
            if (!found) {
                QString count = QStringLiteral("1");
                for (qsizetype j = k; j >= 1; --j) {
                    if (Mid(s, j, 3) == QStringLiteral("^PQ")) {
                        count = quantityAt(s, j);
                        break;
                    }
                }
                const int last = grid.Rows() - 1;
                grid.setTextMatrix(last, 0, count);
                grid.setTextMatrix(last, 1, r);
                grid.setRows(grid.Rows() + 1);
            }
        }
        p = k + 26;
    }
    // Key, column, whether the value is folded.
    const std::tuple<QString, int, bool> details[] = {
        {"^FD>:", 2, true},
        {"^FT282,342^A0N,23,24^FH\\^FD", 3, true},
        {"^FT117,224^A0N,23,24^FH\\^FD", 4, true},
        {"^FT488,342^A0N,23,24^FH\\^FD", 5, false},
        {"^FT177,265^A0N,23,24^FH\\^FD", 6, true},
        {"^FT264,307^A0N,23,24^FH\\^FD", 7, true},
    };
    const int rows = grid.Rows();
    for (int row = 1; row <= rows - 1; ++row) {
        const QString reference = Trim(grid.TextMatrix(row, 1));
        const qsizetype k = InStr(1, s, kItemKey + reference + fs);
        if (reference.isEmpty() || k == 0) {
            continue;
        }
        const qsizetype z = InStr(k, s, QStringLiteral("^XZ"));
        const QString block = z == 0 ? Mid(s, k) : Mid(s, k, z - k + 3);
        for (const auto& [key, column, folded] : details) {
            const qsizetype f = InStr(1, block, key);
            if (f == 0) {
                continue;
            }
            qsizetype g = InStr(f, block, fs);
            if (g == 0) {
                g = block.size() + 1;
            }
            const QString value = Mid(block, f + key.size(), g - f - key.size());
            grid.widenHidden(8);
            grid.setTextMatrix(row, column, folded ? tira_acento(value) : value);
        }
    }
}

}  // namespace etq::literal
