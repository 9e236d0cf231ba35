#include "tessara/GridItemModel.h"

#include <QBrush>
#include <QGuiApplication>
#include <algorithm>

#include "CellAlignment.h"

namespace tessara {

GridItemModel::GridItemModel(GridModel& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
    // Rows and columns come and go in bursts (a paste, thousands of rows at
    // once): the views hear of one reset, not of every row.
    connect(&grid_, &GridModel::aboutToRestructure, this, [this] {
        resetting_ = true;
        beginResetModel();
    });
    connect(&grid_, &GridModel::restructured, this, [this] {
        resetting_ = false;
        endResetModel();
    });
    connect(&grid_, &GridModel::cellsChanged, this, &GridItemModel::onCellsChanged);
}

void GridItemModel::onCellsChanged(int r1, int c1, int r2, int c2) {
    if (resetting_)
        return;
    const int fr = grid_.FixedRows();
    const int fc = grid_.FixedCols();
    if (r1 < fr || c1 < fc)
        emit headerDataChanged(r1 < fr ? Qt::Horizontal : Qt::Vertical, 0,
                               std::max(0, (r1 < fr ? columnCount() : rowCount()) - 1));
    const int top = std::max(r1, fr) - fr;
    const int left = std::max(c1, fc) - fc;
    const int bottom = r2 - fr;
    const int right = c2 - fc;
    if (top <= bottom && left <= right)
        emit dataChanged(index(top, left), index(bottom, right));
}

int GridItemModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.Rows() - grid_.FixedRows());
}

int GridItemModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, grid_.Cols() - grid_.FixedCols());
}

QVariant GridItemModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int r = index.row() + grid_.FixedRows();
    const int c = index.column() + grid_.FixedCols();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return grid_.TextMatrix(r, c);
    case Qt::BackgroundRole:
        if (const OleColor back = grid_.cellBackColorAt(r, c))
            return QBrush(oleToColor(back, QGuiApplication::palette()));
        return {};
    case Qt::ForegroundRole:
        if (const OleColor fore = grid_.cellForeColorAt(r, c))
            return QBrush(oleToColor(fore, QGuiApplication::palette()));
        return {};
    case Qt::TextAlignmentRole:
        return int(textAlignment(grid_.cellAlignmentAt(r, c), grid_.TextMatrix(r, c)));
    case Qt::DecorationRole: {
        const QImage picture = grid_.cellPictureAt(r, c);
        return picture.isNull() ? QVariant() : QVariant(picture);
    }
    default:
        return {};
    }
}

bool GridItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    grid_.setTextMatrix(index.row() + grid_.FixedRows(), index.column() + grid_.FixedCols(),
                        value.toString());
    return true;
}

QVariant GridItemModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Horizontal) {
        if (section >= columnCount())
            return {};
        if (grid_.FixedRows() == 0)
            return section + 1;
        return grid_.TextMatrix(grid_.FixedRows() - 1, section + grid_.FixedCols());
    }
    if (section >= rowCount())
        return {};
    if (grid_.FixedCols() == 0)
        return section + 1;
    return grid_.TextMatrix(section + grid_.FixedRows(), grid_.FixedCols() - 1);
}

Qt::ItemFlags GridItemModel::flags(const QModelIndex& index) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    const OleColor back =
        grid_.cellBackColorAt(index.row() + grid_.FixedRows(), index.column() + grid_.FixedCols());
    return back == grid_.CellNoEdit ? base : base | Qt::ItemIsEditable;
}

} // namespace tessara
