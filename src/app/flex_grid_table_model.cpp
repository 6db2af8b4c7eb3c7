#include "app/flex_grid_table_model.h"

namespace etq {

namespace {
constexpr int kHeader = FlexGrid::FixedRows;
}

FlexGridTableModel::FlexGridTableModel(FlexGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid) {
    connect(&grid_, &FlexGrid::cellChanged, this, [this](int row, int col) {
        if (row < kHeader) {
            Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
            return;
        }
        const QModelIndex cell = index(row - kHeader, col);
        Q_EMIT dataChanged(cell, cell, {Qt::DisplayRole});
    });
    // The grid has already changed when it tells, so the view is reset around the change.
    auto reset = [this] {
        beginResetModel();
        endResetModel();
    };
    connect(&grid_, &FlexGrid::rowsAppended, this, [this](int first, int last) {
        beginInsertRows(QModelIndex(), first - kHeader, last - kHeader);
        endInsertRows();
    });
    connect(&grid_, &FlexGrid::rowsRemoved, this, reset);
    connect(&grid_, &FlexGrid::columnsChanged, this, reset);
    connect(&grid_, &FlexGrid::contentReset, this, reset);
}

int FlexGridTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Rows() - kHeader;
}

int FlexGridTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Cols();
}

QVariant FlexGridTableModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid()) {
        return {};
    }
    return grid_.TextMatrix(index.row() + kHeader, index.column());
}

QVariant FlexGridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= grid_.Cols()) {
        return {};
    }
    return grid_.TextMatrix(0, section);
}

Qt::ItemFlags FlexGridTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace etq
