#pragma once
// "Export Grid to Excel": every cell of the table, header row included, as an
// .xlsx workbook, opened with the application registered for it.
#include "places/PlaceContext.h"

namespace kartello {

// Writes the table to an .xlsx file (replaced atomically). A cell whose text
// reads as a number becomes a number, as a spreadsheet makes of typed text;
// the header row stays text. Throws RuntimeError on failure.
void writeWorkbook(PlaceContext& ctx, const QString& path);

// ExportFlexGrid: writes "<graphBaseName>.xlsx" in a fresh temporary folder and
// opens it through the Ui seam.
void exportFlexGrid(PlaceContext& ctx);

} // namespace kartello
