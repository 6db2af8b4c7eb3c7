#pragma once

#include "platform/flex_grid.h"

#include <QStringList>

namespace etq::test {

// Data rows of the grid, from row 1 up to (not including) `end`, each as its cells joined by
// "|": what a table of expected rows compares against. By default every row, the empty last
// one included.
inline QStringList gridRows(const FlexGrid& grid, int end = -1) {
    QStringList rows;
    const int last = end < 0 ? grid.Rows() : end;
    for (int row = FlexGrid::FixedRows; row < last; ++row) {
        QStringList cells;
        for (int col = 0; col < grid.Cols(); ++col) {
            cells << grid.TextMatrix(row, col);
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

}  // namespace etq::test
