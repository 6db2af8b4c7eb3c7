#include "routines/column_sorter.h"

namespace etq {

namespace {

const QString kAscendingMark = QStringLiteral("> ");
const QString kDescendingMark = QStringLiteral("< ");

// Shows the grid again however the sort ends.
class HiddenWhileSorting {
  public:
    explicit HiddenWhileSorting(FlexGrid& grid) : grid_(grid) { grid_.setVisible(false); }
    ~HiddenWhileSorting() { grid_.setVisible(true); }
    HiddenWhileSorting(const HiddenWhileSorting&) = delete;
    HiddenWhileSorting& operator=(const HiddenWhileSorting&) = delete;

  private:
    FlexGrid& grid_;
};

}  // namespace

void ColumnSorter::ordena_coluna(std::int16_t col, FlexGrid& grid) {
    HiddenWhileSorting hidden(grid);
    grid.select(0, col, 0, col);

    const int order = (col == lastColumn_ && lastOrder_ == 1) ? 2 : 1;
    grid.Sort(order == 1 ? FlexGrid::SortOrder::GenericAscending
                         : FlexGrid::SortOrder::GenericDescending);
    lastOrder_ = order;

    // The marker comes off only where it is still there: a header rewritten since the last
    // sort, or a column the grid no longer has, is left alone.
    if (lastColumn_ >= 0 && lastColumn_ < grid.Cols()) {
        const QString header = grid.TextMatrix(0, lastColumn_);
        if (header.startsWith(kAscendingMark) || header.startsWith(kDescendingMark)) {
            grid.setTextMatrix(0, lastColumn_, header.mid(2));
        }
    }
    lastColumn_ = col;
    const QString& mark = order == 1 ? kAscendingMark : kDescendingMark;
    grid.setTextMatrix(0, col, mark + grid.TextMatrix(0, col));
}

}  // namespace etq
