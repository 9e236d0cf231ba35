#pragma once

// The result grid of the main window: a table without headers over a
// GridModel, column widths from the wrapper, and a double-click that always
// names a cell, as the grid reports the one under the mouse.

#include "gui/GridModel.h"

#include <QTableView>

namespace sigillo {

class GridView : public QTableView {
    Q_OBJECT
public:
    GridView(GridModel& model, QWidget* parent = nullptr);

    // The cell under a point of the viewport; beyond the last row or column
    // the last one, and (-1, -1) while the grid is empty.
    std::pair<int, int> CellAt(const QPoint& viewportPoint) const;
    QString CellText(int row, int col) const;

signals:
    void CellDoubleClicked(int row, int col);

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void ApplyColumnWidths();

    GridModel& model_;
};

} // namespace sigillo
