#pragma once

#include "platform/flex_grid.h"

#include <QStringList>

namespace etq::test {

// Data rows of the grid before row `end` (by default every one), each as its cells joined by "|".
inline QStringList gridRows(const FlexGrid& grid, int end = -1) {
    QStringList rows;
    for (int row = FlexGrid::FixedRows; row < (end < 0 ? grid.Rows() : end); ++row) {
        QStringList cells;
        for (int col = 0; col < grid.Cols(); ++col) {
            cells << grid.TextMatrix(row, col);
        }
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

}  // namespace etq::test
