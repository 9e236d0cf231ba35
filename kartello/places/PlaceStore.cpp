#include "places/PlaceStore.h"

#include "runtime/RuntimeError.h"

namespace kartello {

PlaceRow& PlaceStore::row(int r) {
    if (r < 0 || r >= kRows)
        throw RuntimeError(ErrSubscript);
    return rows_[static_cast<size_t>(r)];
}

const PlaceRow& PlaceStore::row(int r) const {
    if (r < 0 || r >= kRows)
        throw RuntimeError(ErrSubscript);
    return rows_[static_cast<size_t>(r)];
}

Cell& PlaceStore::at(int r, int c) {
    if (c < 0 || c > 3)
        throw RuntimeError(ErrSubscript);
    return row(r).cells[static_cast<size_t>(c)];
}

const Cell& PlaceStore::at(int r, int c) const {
    if (c < 0 || c > 3)
        throw RuntimeError(ErrSubscript);
    return row(r).cells[static_cast<size_t>(c)];
}

void PlaceStore::clearRows(int first, int last) {
    for (int r = first; r <= last; ++r) {
        PlaceRow& pr = row(r);
        pr.cells.fill(Cell(QString()));
        pr.backupRow = -1;
    }
}

} // namespace kartello
