#pragma once

#include <QObject>
#include <QString>

#include <vector>

namespace etq {

// The item grid as a plain model with the semantics of a flex grid: a table of text cells
// addressed (row, column) from 0, one fixed header row, a current cell (Row, Col) that is
// one corner of the selected range whose other corner is (RowSel, ColSel), and column widths
// in twips (0 hides a column). The widgets only show it; every operation on items works here,
// so it can be tested without a display.
//
// Accessors raise etq::Error (subscript out of range) for a row or column outside the grid.
class FlexGrid : public QObject {
    Q_OBJECT

  public:
    static constexpr int FixedRows = 1;

    explicit FlexGrid(QObject* parent = nullptr);

    int Rows() const { return static_cast<int>(cells_.size()); }
    // Grows with empty rows or drops rows from the end; never below the fixed row.
    void setRows(int rows);
    int Cols() const { return cols_; }
    void setCols(int cols);
    // Widens the grid to at least `cols` columns for operations that keep data beyond the
    // visible ones; the added columns are hidden (width 0). A wide enough grid is left alone.
    void widenHidden(int cols);

    const QString& TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    int ColWidth(int col) const;
    void setColWidth(int col, int twips);

    // Setting Row or Col also moves the far end of the selection to it, as the flex grid
    // does; set RowSel / ColSel afterwards to extend the range.
    int Row() const { return row_; }
    void setRow(int row);
    int Col() const { return col_; }
    void setCol(int col);
    int RowSel() const { return rowSel_; }
    void setRowSel(int row);
    int ColSel() const { return colSel_; }
    void setColSel(int col);
    // Moves both corners at once and raises one selection change (the view's clicks and drags).
    void select(int row, int col, int rowSel, int colSel);

    // Removes a data row; the rows below move up. At least one data row always stays.
    void RemoveItem(int row);

    // The grid's generic sorts: per cell, a text that reads as a number in the system's number
    // format compares as a number, any other text as text; numbers come before texts in the
    // ascending order. The rows sorted are those from Row to RowSel, or every row below the
    // fixed row when the two are equal; the keys are the columns from Col to ColSel, left to
    // right. Rows with equal keys keep their order.
    enum class SortOrder { GenericAscending = 1, GenericDescending = 2 };
    void Sort(SortOrder order);

    // Whether the views show the grid. Hiding it while its content is rearranged spares the
    // views a repaint per change.
    bool Visible() const { return visible_; }
    void setVisible(bool visible);

    // While a batch is open the content signals are held back; closing the last batch
    // raises one contentReset when anything changed. Loading thousands of rows then costs the
    // views one refresh instead of one per cell.
    class Batch {
      public:
        explicit Batch(FlexGrid& grid) : grid_(grid) { ++grid_.batchDepth_; }
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

      private:
        FlexGrid& grid_;
    };

  Q_SIGNALS:
    void cellChanged(int row, int col);
    void rowsAppended(int first, int last);
    void rowsRemoved(int first, int last);
    void columnsChanged();
    void columnWidthChanged(int col);
    // Raised whenever the current cell or the selected range changes.
    void selectionChanged();
    // The whole content changed (sorting); views re-read everything.
    void contentReset();
    void visibilityChanged(bool visible);

  private:
    void checkRow(int row) const;
    void checkCol(int col) const;
    // True when content signals may go out now; otherwise notes the change for the batch.
    bool announce();
    void moveSelection(int row, int col, int rowSel, int colSel);

    std::vector<std::vector<QString>> cells_;
    std::vector<int> widths_;
    int cols_ = 2;
    int row_ = 1;
    int col_ = 0;
    int rowSel_ = 1;
    int colSel_ = 0;
    int batchDepth_ = 0;
    bool batchChanged_ = false;
    bool visible_ = true;
};

}  // namespace etq
