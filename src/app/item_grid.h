#pragma once

#include "platform/flex_grid.h"

#include <QTableView>

namespace etq {

class FlexGridTableModel;

// The item grid FLEX1 on screen: a view over the FlexGrid model that keeps the model's current
// cell and selected range in step with the mouse and the keys, and the other way round. The
// header row is fixed, column widths come from the model (0 hides a column) and cannot be
// changed by the user, and Tab leaves the grid. Keys are announced before the view moves:
// keyDown for every key, keyPress for the characters; characters do not search for items.
class ItemGrid : public QTableView {
    Q_OBJECT

  public:
    explicit ItemGrid(FlexGrid& grid, QWidget* parent = nullptr);

    FlexGrid& grid() { return grid_; }

  Q_SIGNALS:
    // A key went down while the grid has the focus (Qt key code).
    void keyDown(int key);
    // A character was typed: its code, Backspace as 8.
    void keyPress(int characterCode);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void applyColumnWidth(int col);
    void applyAllColumnWidths();
    void selectionFromView();
    void selectionFromGrid();

    FlexGrid& grid_;
    FlexGridTableModel* model_;
    bool syncing_ = false;
};

}  // namespace etq
