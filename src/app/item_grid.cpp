#include "app/item_grid.h"

#include "app/flex_grid_table_model.h"
#include "app/twips.h"
#include "items/grid_editing.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QKeyEvent>

#include <algorithm>

namespace etq {

namespace {
constexpr int kHeader = FlexGrid::FixedRows;
constexpr int kRowHeightTwips = 240;
constexpr int kDefaultColumnTwips = 960;

// The character a key event types, Backspace included; 0 for keys that type none.
int characterCode(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Backspace) {
        return BackspaceCode;
    }
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).isPrint()) {
        return text.at(0).unicode();
    }
    return 0;
}
}  // namespace

ItemGrid::ItemGrid(FlexGrid& grid, QWidget* parent)
    : QTableView(parent), grid_(grid), model_(new FlexGridTableModel(grid, this)) {
    setModel(model_);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    setSelectionBehavior(SelectItems);
    setSelectionMode(ContiguousSelection);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerItem);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(twipsToPixelsY(*this, kRowHeightTwips));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setFixedHeight(twipsToPixelsY(*this, kRowHeightTwips) + 2);

    connect(&grid_, &FlexGrid::columnWidthChanged, this, &ItemGrid::applyColumnWidth);
    // A sort hides the grid while it rearranges the rows and shows it again afterwards.
    connect(&grid_, &FlexGrid::visibilityChanged, this, &QWidget::setVisible);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        applyAllColumnWidths();
        selectionFromGrid();
    });
    connect(&grid_, &FlexGrid::selectionChanged, this, &ItemGrid::selectionFromGrid);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ItemGrid::selectionFromView);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ItemGrid::selectionFromView);
    applyAllColumnWidths();
    selectionFromGrid();
}

void ItemGrid::keyPressEvent(QKeyEvent* event) {
    Q_EMIT keyDown(event->key());
    const int code = characterCode(*event);
    if (code != 0) {
        Q_EMIT keyPress(code);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void ItemGrid::applyColumnWidth(int col) {
    const int twips = grid_.ColWidth(col);
    setColumnHidden(col, twips == 0);
    if (twips != 0) {
        setColumnWidth(col, twipsToPixelsX(*this, twips < 0 ? kDefaultColumnTwips : twips));
    }
}

void ItemGrid::applyAllColumnWidths() {
    for (int col = 0; col < grid_.Cols(); ++col) {
        applyColumnWidth(col);
    }
}

// The current cell is one corner of the selected rectangle; the opposite corner is (RowSel,
// ColSel).
void ItemGrid::selectionFromView() {
    if (syncing_) {
        return;
    }
    const QModelIndex current = currentIndex();
    if (!current.isValid()) {
        return;
    }
    const int row = current.row() + kHeader;
    const int col = current.column();
    int rowSel = row;
    int colSel = col;
    const QItemSelection selection = selectionModel()->selection();
    if (!selection.isEmpty()) {
        int top = current.row();
        int bottom = top;
        int left = col;
        int right = col;
        for (const QItemSelectionRange& range : selection) {
            top = std::min(top, range.top());
            bottom = std::max(bottom, range.bottom());
            left = std::min(left, range.left());
            right = std::max(right, range.right());
        }
        rowSel = (current.row() == top ? bottom : top) + kHeader;
        colSel = col == left ? right : left;
    }
    syncing_ = true;
    grid_.select(row, col, rowSel, colSel);
    syncing_ = false;
}

void ItemGrid::selectionFromGrid() {
    if (syncing_) {
        return;
    }
    syncing_ = true;
    const int row = grid_.Row() - kHeader;
    const int rowSel = grid_.RowSel() - kHeader;
    if (row < 0 || rowSel < 0) {
        selectionModel()->clear();
    } else {
        const QModelIndex current = model_->index(row, grid_.Col());
        const QModelIndex topLeft =
            model_->index(std::min(row, rowSel), std::min(grid_.Col(), grid_.ColSel()));
        const QModelIndex bottomRight =
            model_->index(std::max(row, rowSel), std::max(grid_.Col(), grid_.ColSel()));
        selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
        selectionModel()->select(QItemSelection(topLeft, bottomRight),
                                 QItemSelectionModel::ClearAndSelect);
        scrollTo(current);
    }
    syncing_ = false;
}

}  // namespace etq
