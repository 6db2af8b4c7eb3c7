#include "platform/flex_grid.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace etq {

namespace {

// How one cell takes part in a generic sort: as a number, or as text in the collation of the
// system's locale. Numbers come before texts.
struct CellKey {
    bool isNumber;
    double number;
    QCollatorSortKey text;
};

CellKey keyOf(const QString& cell, const QLocale& locale, const QCollator& collator) {
    bool ok = false;
    const double value = locale.toDouble(QStringView(cell).trimmed(), &ok);
    if (ok && std::isfinite(value)) {
        return {true, value, collator.sortKey(QString())};
    }
    return {false, 0.0, collator.sortKey(cell)};
}

int compareKeys(const CellKey& a, const CellKey& b) {
    if (a.isNumber != b.isNumber) {
        return a.isNumber ? -1 : 1;
    }
    if (a.isNumber) {
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    }
    return a.text.compare(b.text);
}

}  // namespace

void FlexGrid::Sort(SortOrder order) {
    int first = FixedRows;
    int last = Rows() - 1;
    if (row_ != rowSel_) {
        first = std::max(std::min(row_, rowSel_), FixedRows);
        last = std::max(row_, rowSel_);
    }
    if (last <= first) {
        return;
    }
    const int firstCol = std::min(col_, colSel_);
    const int keyCols = std::max(col_, colSel_) - firstCol + 1;
    const int count = last - first + 1;

    const QLocale locale;
    const QCollator collator(locale);
    std::vector<CellKey> keys;
    keys.reserve(static_cast<size_t>(count) * keyCols);
    for (int row = first; row <= last; ++row) {
        for (int col = firstCol; col < firstCol + keyCols; ++col) {
            keys.push_back(keyOf(cells_[row][col], locale, collator));
        }
    }
    auto compareRows = [&](int a, int b) {
        for (int k = 0; k < keyCols; ++k) {
            const int result = compareKeys(keys[a * keyCols + k], keys[b * keyCols + k]);
            if (result != 0) {
                return result;
            }
        }
        return 0;
    };
    std::vector<int> ordered(count);
    std::iota(ordered.begin(), ordered.end(), 0);
    const bool ascending = order == SortOrder::GenericAscending;
    std::stable_sort(ordered.begin(), ordered.end(), [&](int a, int b) {
        const int result = compareRows(a, b);
        return ascending ? result < 0 : result > 0;
    });

    std::vector<std::vector<QString>> sorted;
    sorted.reserve(count);
    for (const int index : ordered) {
        sorted.push_back(std::move(cells_[first + index]));
    }
    std::move(sorted.begin(), sorted.end(), cells_.begin() + first);
    if (announce())
        Q_EMIT contentReset();
}

void FlexGrid::setVisible(bool visible) {
    if (visible == visible_) {
        return;
    }
    visible_ = visible;
    Q_EMIT visibilityChanged(visible);
}

}  // namespace etq
