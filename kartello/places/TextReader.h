#pragma once
// The comma-separated place text file: four fields per place (name, latitude,
// longitude, value); fields end at a comma or a line break, a field in double
// quotes may hold commas and line breaks.
#include "places/PlaceContext.h"

#include <array>
#include <vector>

namespace kartello {

using StoreRow = std::array<Cell, 4>; // store column order

struct PlaceTextParse {
    enum Outcome { Places, ShapeFile, TooLarge, Truncated };
    Outcome outcome = Places;
    std::vector<StoreRow> rows; // complete places, store column order
};

// Most places a text file or a clipboard block may bring.
inline constexpr int kMaxTextPlaces = 4998;

// Reads the places of a text (pure: no state is touched).
PlaceTextParse parsePlaceText(QStringView text);

// parseArq: the file name without folder and extension ("/a/b/Cities.txt" ->
// "Cities"); both "/" and "\" separate folders.
QString parseArq(const QString& path);

// Carrega: reads ctx.set.currentFile as a place text file.
void carrega(PlaceContext& ctx);
// The same on text already read from ctx.set.currentFile.
void carregaText(PlaceContext& ctx, QStringView text);

// Puts a complete set of rows into store, backup and table and updates the
// labels, as every place reader does at its end. `picture` formats latitude
// and longitude in the table.
void loadPlaceRows(PlaceContext& ctx, const std::vector<StoreRow>& rows, QStringView picture);

// The whole file as text (UTF-8, stray bytes as Windows-1252); error 53 when it
// cannot be read.
QString readTextFile(const QString& path);

} // namespace kartello
