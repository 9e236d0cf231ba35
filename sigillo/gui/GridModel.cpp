#include "gui/GridModel.h"

#include <QColor>

namespace sigillo {
namespace {

constexpr std::uint32_t kSystemColourFlag = 0x80000000u;

} // namespace

int TwipsToPixels(int twips) {
    return (twips * 96 + 720) / 1440;
}

QColor GridColour(std::uint32_t stored) {
    if ((stored & kSystemColourFlag) != 0)
        return QColor(0x3A, 0x6E, 0xA5);
    return QColor(stored & 0xFF, (stored >> 8) & 0xFF, (stored >> 16) & 0xFF);
}

GridModel::GridModel(clsGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
    grid_.onChanged = [this] {
        beginResetModel();
        endResetModel();
        emit layoutFromGrid();
    };
}

GridModel::~GridModel() {
    grid_.onChanged = nullptr;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Rows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : grid_.Cols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= grid_.Rows() || index.column() >= grid_.Cols())
        return {};
    const GridCell& cell = grid_.RowData().at(index.row()).cells.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(cell.text);
    case Qt::BackgroundRole:
        return cell.backColor ? QVariant(GridColour(*cell.backColor)) : QVariant();
    case Qt::ForegroundRole:
        return cell.foreColor ? QVariant(GridColour(*cell.foreColor)) : QVariant();
    case Qt::TextAlignmentRole:
        // Alignment 1 is left and vertically centred; so is the grid's own.
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default:
        return {};
    }
}

} // namespace sigillo
