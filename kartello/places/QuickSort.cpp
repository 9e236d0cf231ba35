#include "places/QuickSort.h"

#include "runtime/Number.h"

#include <utility>

namespace kartello {

namespace {

// Latitudes read from KML and values typed into the table are kept as texts;
// a text that reads as a number sorts as that number (10 after 9, -41.3
// before -18.1), not letter by letter.
Cell sortKey(const Cell& c) {
    if (c.isNumber() || c.isEmpty())
        return c;
    const QString text = c.toText();
    if (!isNumber(text))
        return c;
    return Cell(readNumber(text));
}

// Every column moves with the sort column, so swapping the whole row (with its
// backup link) is the same as swapping column by column.
void quickSort(PlaceStore& store, int col, int low, int high, bool descending, Ui& ui) {
    while (low < high) {
        int i = low;
        int j = high;
        const Cell pivot = sortKey(store.at(static_cast<int>(toWhole((low + high) / 2.0)), col));
        auto before = [&](const Cell& a, const Cell& b) {
            return descending ? Cell::compare(a, b) > 0 : Cell::compare(a, b) < 0;
        };
        while (i <= j) {
            ui.yieldToWindow();
            while (i < high && before(sortKey(store.at(i, col)), pivot))
                ++i;
            while (j > low && before(pivot, sortKey(store.at(j, col))))
                --j;
            if (i <= j) {
                if (i != j)
                    std::swap(store.row(i), store.row(j));
                ++i;
                --j;
            }
        }
        // Recurse into the smaller side and loop on the larger one: the same
        // order as two recursive calls, with a stack depth of log n at most.
        if (j - low < high - i) {
            if (low < j)
                quickSort(store, col, low, j, descending, ui);
            low = i;
        } else {
            if (i < high)
                quickSort(store, col, i, high, descending, ui);
            high = j;
        }
    }
}

} // namespace

void quickSort33A(PlaceStore& store, int sortColumn, int, int low, int high, Ui& ui) {
    quickSort(store, sortColumn, low, high, true, ui);
}

void quickSort33D(PlaceStore& store, int sortColumn, int, int low, int high, Ui& ui) {
    quickSort(store, sortColumn, low, high, false, ui);
}

} // namespace kartello
