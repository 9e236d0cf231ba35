#pragma once
// QuickSort33A (descending) and QuickSort33D (ascending) of store rows low..high
// by one column; whole rows move.
#include "places/PlaceStore.h"
#include "runtime/Ui.h"

namespace kartello {

void quickSort33A(PlaceStore& store, int sortColumn, int lastColumn, int low, int high, Ui& ui);
void quickSort33D(PlaceStore& store, int sortColumn, int lastColumn, int low, int high, Ui& ui);

} // namespace kartello
