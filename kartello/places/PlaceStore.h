#pragma once
// The place store placeData and its filter backup: fixed arrays of 5001 rows of
// four cells (latitude, longitude, value, name), allocated once so that reading
// never allocates rows. In shape mode a row is one ring (column 0 the ring's
// coordinate text, 2 the value, 3 the name).
#include "runtime/Cell.h"
#include "runtime/FieldChoice.h"

#include <array>
#include <vector>

namespace kartello {

enum StoreColumn : int { ColLatitude = 0, ColLongitude = 1, ColValue = 2, ColName = 3 };

struct PlaceRow {
    std::array<Cell, 4> cells;
    // Row of the same place in placeBackup (-1: none). The filter, the sort and
    // the row buttons carry it, so an edit reaches the right backup row even
    // while a filter shows a subset in another order.
    int backupRow = -1;
    // The place's date or time as read ("2019", "2019-05-01T12:00:00Z"), empty
    // when the data has none; it moves with the row through sort and filter.
    QString time;
};

class PlaceStore {
public:
    static constexpr int kRows = 5001;

    PlaceStore() : rows_(kRows) {}

    // Store indices outside 0..5000 raise run-time error 9.
    Cell& at(int row, int col);
    const Cell& at(int row, int col) const;
    PlaceRow& row(int row);
    const PlaceRow& row(int row) const;

    // Empties rows first..last (all four cells become the empty text).
    void clearRows(int first, int last);

private:
    std::vector<PlaceRow> rows_;
};

// The variables of Main that belong to the place set.
struct PlaceSet {
    PlaceStore placeData;
    PlaceStore placeBackup;
    int lastPlace = 0;
    int fullLastPlace = 0;
    // Last used row of placeBackup: the unfiltered set's size minus one.
    int backupLast = 0;
    QString currentFile;
    QString graphBaseName;
    bool dataLoaded = false;
    bool shapeMode = false;
    // The layer and fields offered for the next GIS file opened: the batch
    // flags; empty (the reader's defaults) in the window.
    FieldChoice fieldChoice;

    bool filterInForce() const { return fullLastPlace > lastPlace; }
};

} // namespace kartello
