#pragma once

#include "platform/flex_grid.h"

#include <cstdint>

namespace etq {

// Sorts a grid by the column the operator asks for, alternating ascending and descending while
// the same column is asked for again, and marks the sorted column's header with "> "
// (ascending) or "< " (descending). Keeps the last column and order between calls; one sorter
// serves one grid.
class ColumnSorter {
  public:
    // Sorts every row below the header by column `col` and leaves the current cell at row 0
    // of that column. A column outside the grid raises etq::Error and changes nothing. The grid
    // is hidden while it is rearranged and always shown again.
    void ordena_coluna(std::int16_t col, FlexGrid& grid);

  private:
    int lastColumn_ = -1;
    int lastOrder_ = 0;
};

}  // namespace etq
