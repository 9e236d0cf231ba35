#pragma once
// The last step every place reader shares: the rows it read go into the store
// and the table, and the labels follow.
#include "places/PlaceContext.h"

#include <array>
#include <vector>

namespace kartello {

using StoreRow = std::array<Cell, 4>; // store column order

// Puts a complete set of rows into store, backup and table and updates the
// labels, as every place reader does at its end. `picture` formats latitude
// and longitude in the table; `times` holds one time per row, or none.
void loadPlaceRows(PlaceContext& ctx, const std::vector<StoreRow>& rows, QStringView picture,
                   const std::vector<QString>& times = {});

} // namespace kartello
