#pragma once
// The grid's cells as a Qt item model, so that any Qt view (a table view, a
// list, a chart) shows and edits the same data as the Tessara control.
//
// The fixed rows and columns are the headers: item (i, j) is grid cell
// (FixedRows + i, FixedCols + j); the column headers are the texts of the last
// fixed row, the row headers those of the last fixed column (or numbers where
// there is none). A cell whose back colour is CellNoEdit is not editable.
#include <QAbstractTableModel>

#include "tessara/Export.h"
#include "tessara/GridModel.h"

namespace tessara {

class TESSARA_EXPORT GridItemModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The grid must outlive the adapter.
    explicit GridItemModel(GridModel& grid, QObject* parent = nullptr);

    GridModel& grid() const { return grid_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void onCellsChanged(int r1, int c1, int r2, int c2);

    GridModel& grid_;
    bool resetting_ = false;
};

} // namespace tessara
