#include "gui/GridView.h"

#include <QHeaderView>

#include <QMouseEvent>
#include <algorithm>

namespace sigillo {

GridView::GridView(GridModel& model, QWidget* parent) : QTableView(parent), model_(model) {
    setModel(&model_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The text column keeps at least its width and takes whatever room the
    // window has beyond it.
    horizontalHeader()->setStretchLastSection(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setToolTip(QStringLiteral("Double Click for more info"));
    connect(&model_, &GridModel::layoutFromGrid, this, &GridView::ApplyColumnWidths);
    ApplyColumnWidths();
}

void GridView::ApplyColumnWidths() {
    const clsGrid& grid = model_.grid();
    for (int col = 0; col < grid.Cols(); ++col) {
        if (grid.ColWidth(col) > 0)
            setColumnWidth(col, TwipsToPixels(grid.ColWidth(col)));
    }
    // The caption column is at least as wide as its longest text, so a
    // verdict such as "The Files Are Different!" is never cut.
    if (grid.Cols() > 0 && model_.rowCount() > 0)
        setColumnWidth(0, std::max(columnWidth(0), sizeHintForColumn(0)));
}

std::pair<int, int> GridView::CellAt(const QPoint& viewportPoint) const {
    const int rows = model_.rowCount();
    const int cols = model_.columnCount();
    if (rows == 0 || cols == 0)
        return {-1, -1};
    int col = columnAt(viewportPoint.x());
    int row = rowAt(viewportPoint.y());
    if (col < 0)
        col = viewportPoint.x() < 0 ? 0 : cols - 1;
    if (row < 0)
        row = viewportPoint.y() < 0 ? 0 : rows - 1;
    return {row, col};
}

QString GridView::CellText(int row, int col) const {
    if (row < 0 || col < 0)
        return {};
    return model_.index(row, col).data().toString();
}

void GridView::mouseDoubleClickEvent(QMouseEvent* e) {
    const auto [row, col] = CellAt(e->position().toPoint());
    if (row >= 0)
        setCurrentIndex(model_.index(row, col));
    emit CellDoubleClicked(row, col);
}

} // namespace sigillo
