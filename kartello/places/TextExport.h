#pragma once
// "Save txt  (csv)": the place set as a text file the text reader reads back,
// or the shape text format while shapes are loaded.
#include "places/PlaceContext.h"

namespace kartello {

// The text of the file (pure): one line per place, or "[ShapeFile]" and three
// lines per ring. Lines end in CR LF. Numbers may have their "," turned into
// "." in the store, as the saved file shows them.
QByteArray placeFileText(PlaceContext& ctx);

// A name as a field of the text file: in double quotes when it holds a comma
// or a line break or would lose blanks, so that it reads back unchanged.
QString quotedName(const QString& name);

// guardaCSV: asks for the file name and replaces the file atomically.
void guardaCSV(PlaceContext& ctx);

// The menu item: guardaCSV when a set is loaded, else a warning.
void menuSaveTxt(PlaceContext& ctx);

} // namespace kartello
