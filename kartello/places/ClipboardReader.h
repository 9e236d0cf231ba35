#pragma once
// Places and values pasted from the clipboard: tab-separated rows copied from a
// spreadsheet, or a column of values.
#include "places/PlaceContext.h"

#include <array>
#include <vector>

namespace kartello {

// Table columns 2, 0, 1, 3 of one pasted row: name, latitude, longitude, value.
struct PastedRow {
    QString name, latitude, longitude, value;
};

struct ClipboardGridParse {
    enum Outcome { Rows, TooLarge, Invalid };
    Outcome outcome = Rows;
    std::vector<PastedRow> rows;
};

// Splits clipboard text into rows. A row ends at CR LF (a bare LF or CR is
// taken too: desktop spreadsheets here copy with LF); a last row without a line
// break is taken too. Stops once more than maxRows rows were taken.
QStringList clipboardRows(QStringView text, qsizetype maxRows);

// Reads a grid block: the column count comes from the first row (tabs + 1),
// commas are removed from every field. Pure.
ClipboardGridParse parseClipboardGrid(QStringView text);

// pasteGrid ("Paste grid from clipboard"): replaces the place set with the
// clipboard block; a refused block leaves the set as it was.
void pasteGrid(PlaceContext& ctx);

// comDone_Click: copies the table into store and backup after a grid paste.
void comDone(PlaceContext& ctx);

// colaValores ("Paste values"): writes a copied column of values into the
// "Value" column from row 1 down.
void colaValores(PlaceContext& ctx);

} // namespace kartello
