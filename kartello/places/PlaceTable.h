#pragma once
// The place table's layout and the table operations that are not readers:
// layout, filter backup, "New", the row buttons, cell-edit synchronisation,
// header sorting and the place filter.
#include "places/PlaceContext.h"

namespace kartello {

// Table column <-> store column: table columns 2 and 3 are store columns 3 and 2.
int storeColumnOf(int tableColumn);

// formataGrid: empties the table and lays it out with one empty data row.
void formataGrid(tessara::GridModel& grid);

// Fits every column to its widest text, header included, never narrower
// than its laid-out width, so no digit is hidden. The current cell and the
// selection stay where they were, and no grid event fires.
void fitColumns(tessara::GridModel& grid);

// The text a store cell shows under a picture format: numbers (and texts that
// read as numbers) formatted, any other text unchanged.
QString formatCell(const Cell& cell, QStringView picture);

// Refills table rows 1..lastPlace+1 from the store, latitude and longitude
// under `picture` ("###.0000" or "###.000000").
void refillTable(PlaceContext& ctx, QStringView picture);

// "N.places: " + (lastPlace + 1).
void showPlaceCount(PlaceContext& ctx);

// ConstR: shows the filter controls and takes a fresh backup of the store.
void constR(PlaceContext& ctx);

// "New": back to one empty row.
void menuNew(PlaceContext& ctx);

// Row buttons comRow(0) "Insert row", (1) "Delete selected row",
// (2) "Paste grid from clipboard", (3) "Paste values", (4) "Generate random values".
void comRowClick(PlaceContext& ctx, int index);

// Grid1 events.
void gridCellEdited(PlaceContext& ctx);
void gridSelChange(PlaceContext& ctx);
// Header click at (x, y) in twips sorts by that column.
void gridMouseDown(PlaceContext& ctx, double x, double y);

// ComFilter(0) "Filter", ComFilter(1) "Remove".
void comFilterClick(PlaceContext& ctx, int index);

} // namespace kartello
