// Rows inserted, deleted, exchanged and moved as blocks.
#include "tessara/GridModel.h"

#include <utility>

#include "Int16.h"
#include "ModelGuards.h"

namespace tessara {

void GridModel::InsertRows(int r1, int rr) {
    trapped(QStringLiteral("InsertRows"), [&] {
        const Restructure restructure(*this);
        const SuspendedRedraw redraw(*this);
        const int count = roundToInt16(rr);
        if (count > 0)
            insertEmptyRows(r1, count);
        setRow(r1);
        setCol(FixedCols());
        emit focusRequested();
    });
}

void GridModel::DeleteRows(int r1, int rr) {
    trapped(QStringLiteral("DeleteRows"), [&] {
        const Restructure restructure(*this);
        const SuspendedRedraw redraw(*this);
        const int count = roundToInt16(rr);
        if (count > 0 && r1 < Rows()) {
            removeRows(r1, count);
            // Deleting the last row leaves the new last row current rather than
            // failing on a row that no longer exists.
            if (Rows() > 0)
                setRow(std::min(r1, Rows() - 1));
        }
        setCol(FixedCols());
        emit focusRequested();
    });
}

void GridModel::swapRowsUnchecked(int r1, int r2) {
    for (int c = 0; c < Cols(); ++c) {
        checkInt16(c);
        Cell& a = cellRef(r1, c);
        Cell& b = cellRef(r2, c);
        std::swap(a.text, b.text);
        std::swap(a.picture, b.picture);
        std::swap(a.back, b.back);
    }
    checkInt16(RowHeight(r2));
    std::swap(rows_[std::size_t(r1)].height, rows_[std::size_t(r2)].height);
    setRow(r1);
    setCol(FixedCols());
}

void GridModel::SwapRows(int r1, int r2) {
    trapped(QStringLiteral("SwapRows"), [&] {
        const Restructure restructure(*this);
        const SuspendedRedraw redraw(*this);
        const auto inside = [&](int r) {
            return r >= FixedRows() && r < Rows();
        };
        if (r1 != r2 && inside(r1) && inside(r2))
            swapRowsUnchecked(r1, r2);
    });
}

// The block moves by pairwise exchanges: a true move by one row, and for longer
// distances the rows at the target take the block's old place.
void GridModel::MoveRows(int& r1, int& r2, int r3) {
    trapped(QStringLiteral("MoveRows"), [&] {
        if (r2 < r1)
            std::swap(r1, r2);
        if ((r3 >= r1 && r3 <= r2) || r3 < FixedRows() || r3 >= Rows())
            return;
        // The block must be rows of the grid: checked before any exchange, so that
        // a wild bound neither runs the loop for ever nor moves half a block.
        if (r1 < FixedRows() || r2 >= Rows())
            throw GridError(ErrInvalidRow);
        const Restructure restructure(*this);
        const SuspendedRedraw redraw(*this);
        const int span = r2 - r1;
        int target;
        if (r3 < r1) {
            for (int i = r1, k = 0; i <= r2; ++i, ++k) {
                SwapRows(i, r3 + k);
                // The arrow key a user would press to follow the block.
                if (Row() > FixedRows())
                    setRow(Row() - 1);
            }
            target = r3;
        } else {
            for (int i = r2, k = 0; i >= r1; --i, ++k) {
                SwapRows(i, r3 - k);
                if (Row() < Rows() - 1)
                    setRow(Row() + 1);
            }
            target = r3 - span;
        }
        emit focusRequested();
        setRow(target);
        setCol(0);
        setRowSel(Row() + span);
        setColSel(Cols() - 1);
    });
}

} // namespace tessara
