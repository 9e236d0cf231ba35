#pragma once
// The comma-separated place text file: four fields per place (name, latitude,
// longitude, value); fields end at a comma or a line break, a field in double
// quotes may hold commas and line breaks.
#include "places/LoadPlaceRows.h"
#include "places/PlaceContext.h"

#include <array>
#include <vector>

namespace kartello {

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

// The whole file as text (UTF-8, stray bytes as Windows-1252); error 53 when it
// cannot be read.
QString readTextFile(const QString& path);

} // namespace kartello
