#include "platform/flex_grid.h"

#include "platform/error.h"

#include <algorithm>

namespace etq {

namespace {

[[noreturn]] void outOfRange(const char* what) {
    throw Error(Error::SubscriptOutOfRange, QStringLiteral("FlexGrid"),
                QStringLiteral("Subscript out of range (%1)").arg(QLatin1String(what)));
}

}  // namespace

FlexGrid::FlexGrid(QObject* parent) : QObject(parent), widths_(2, -1) {
    cells_.assign(2, std::vector<QString>(cols_));
}

void FlexGrid::checkRow(int row) const {
    if (row < 0 || row >= Rows()) {
        outOfRange("row");
    }
}

void FlexGrid::checkCol(int col) const {
    if (col < 0 || col >= cols_) {
        outOfRange("column");
    }
}

FlexGrid::Batch::~Batch() {
    if (--grid_.batchDepth_ == 0 && grid_.batchChanged_) {
        grid_.batchChanged_ = false;
        Q_EMIT grid_.contentReset();
    }
}

bool FlexGrid::announce() {
    if (batchDepth_ > 0) {
        batchChanged_ = true;
        return false;
    }
    return true;
}

void FlexGrid::setRows(int rows) {
    if (rows < FixedRows) {
        outOfRange("rows");
    }
    const int old = Rows();
    if (rows == old) {
        return;
    }
    cells_.resize(rows, std::vector<QString>(cols_));
    if (rows > old) {
        if (announce())
            Q_EMIT rowsAppended(old, rows - 1);
        return;
    }
    if (announce())
        Q_EMIT rowsRemoved(rows, old - 1);
    const int last = rows - 1;
    if (row_ > last || rowSel_ > last) {
        moveSelection(std::min(row_, last), col_, std::min(rowSel_, last), colSel_);
    }
}

void FlexGrid::setCols(int cols) {
    if (cols < 1) {
        outOfRange("cols");
    }
    if (cols == cols_) {
        return;
    }
    for (auto& row : cells_) {
        row.resize(cols);
    }
    cols_ = cols;
    widths_.resize(cols, -1);
    if (announce())
        Q_EMIT columnsChanged();
    const int last = cols - 1;
    if (col_ > last || colSel_ > last) {
        moveSelection(row_, std::min(col_, last), rowSel_, std::min(colSel_, last));
    }
}

void FlexGrid::widenHidden(int cols) {
    const int old = cols_;
    if (cols <= old) {
        return;
    }
    setCols(cols);
    for (int col = old; col < cols; ++col) {
        setColWidth(col, 0);
    }
}

const QString& FlexGrid::TextMatrix(int row, int col) const {
    checkRow(row);
    checkCol(col);
    return cells_[row][col];
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text) {
    checkRow(row);
    checkCol(col);
    QString& cell = cells_[row][col];
    if (cell == text) {
        return;
    }
    cell = text;
    if (announce())
        Q_EMIT cellChanged(row, col);
}

int FlexGrid::ColWidth(int col) const {
    checkCol(col);
    return widths_[col];
}

void FlexGrid::setColWidth(int col, int twips) {
    checkCol(col);
    if (twips < -1) {
        outOfRange("width");
    }
    widths_[col] = twips;
    if (announce())
        Q_EMIT columnWidthChanged(col);
}

void FlexGrid::setRow(int row) {
    checkRow(row);
    moveSelection(row, col_, row, colSel_);
}

void FlexGrid::setCol(int col) {
    checkCol(col);
    moveSelection(row_, col, rowSel_, col);
}

void FlexGrid::setRowSel(int row) {
    checkRow(row);
    moveSelection(row_, col_, row, colSel_);
}

void FlexGrid::setColSel(int col) {
    checkCol(col);
    moveSelection(row_, col_, rowSel_, col);
}

void FlexGrid::select(int row, int col, int rowSel, int colSel) {
    checkRow(row);
    checkRow(rowSel);
    checkCol(col);
    checkCol(colSel);
    moveSelection(row, col, rowSel, colSel);
}

void FlexGrid::moveSelection(int row, int col, int rowSel, int colSel) {
    if (row == row_ && col == col_ && rowSel == rowSel_ && colSel == colSel_) {
        return;
    }
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    Q_EMIT selectionChanged();
}

void FlexGrid::RemoveItem(int row) {
    if (row < FixedRows || row >= Rows() || Rows() <= FixedRows + 1) {
        outOfRange("row to remove");
    }
    cells_.erase(cells_.begin() + row);
    if (announce())
        Q_EMIT rowsRemoved(row, row);
    const int last = Rows() - 1;
    auto shift = [&](int r) { return r > row ? r - 1 : std::min(r, last); };
    moveSelection(shift(row_), col_, shift(rowSel_), colSel_);
}

}  // namespace etq
