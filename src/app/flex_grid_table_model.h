#pragma once

#include "platform/flex_grid.h"

#include <QAbstractTableModel>

namespace etq {

// Shows a FlexGrid in a Qt item view: the grid's fixed row 0 becomes the horizontal header and
// grid row r + 1 is view row r.
class FlexGridTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit FlexGridTableModel(FlexGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    FlexGrid& grid_;
};

}  // namespace etq
