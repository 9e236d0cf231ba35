// Operations on the selected cells: alignment, clearing, and row numbers.
#include "tessara/GridModel.h"

#include <algorithm>

#include "Int16.h"
#include "ModelGuards.h"

namespace tessara {

void GridModel::AlignSel(int alignStyle) {
    trapped(QStringLiteral("AlignSel"), [&] {
        const int alignment = alignStyle == 0   ? AlignLeftCenter
                              : alignStyle == 1 ? AlignCenterCenter
                                                : AlignRightCenter;
        const SuspendedRedraw redraw(*this);
        // A selection dragged upward or leftward covers the same cells as one dragged
        // the other way, as for DeleteSel.
        const auto [r1, r2] = std::minmax({Row(), RowSel()});
        const auto [c1, c2] = std::minmax({Col(), ColSel()});
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) {
                checkInt16(c);
                setCurrentCell(r, c);
                setCellAlignment(alignment);
            }
        }
    });
}

void GridModel::DeleteSel() {
    trapped(QStringLiteral("DeleteSel"), [&] {
        const SuspendedRedraw redraw(*this);
        const auto [r1, r2] = std::minmax({Row(), RowSel()});
        const auto [c1, c2] = std::minmax({Col(), ColSel()});
        for (int r = r1; r <= r2; ++r) {
            for (int c = c1; c <= c2; ++c) {
                Cell& cell = cellRef(r, c);
                if (cell.back != CellNoEdit)
                    cell.text.clear();
                cell.picture = QImage();
            }
        }
        emit cellsChanged(r1, c1, r2, c2);
        setCurrentCell(r1, c1);
    });
}

void GridModel::AddRowNumbers() {
    trapped(QStringLiteral("AddRowNumbers"), [&] {
        const SuspendedRedraw redraw(*this);
        setCol(0);
        for (int i = FixedRows(); i < Rows(); ++i) {
            checkInt16(i);
            setRow(i);
            // The runtime's number text leaves room for a sign: a blank before non-negative numbers.
            setTextMatrix(i, 0, QLatin1Char(' ') + QString::number(i));
        }
    });
}

} // namespace tessara
