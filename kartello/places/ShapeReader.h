#pragma once
// Shapes (named polygons) instead of points: one store row per ring (column 0
// the ring's coordinate text, 2 the value, 3 the name), one table row per shape.
#include "places/PlaceContext.h"

#include <vector>

namespace kartello {

struct Ring {
    QString name;
    QString coordinates; // tuples "lon,lat,alt" separated by blanks
    QString value;       // empty for the further rings of a shape
};

struct ShapeTextParse {
    enum Outcome { Rings, TooLarge, Truncated };
    Outcome outcome = Rings;
    std::vector<Ring> rings;
};

// A ring's coordinate text as the shape readers store it: tuples
// "lon,lat,alt" each followed by one blank, the closing tuple included, so
// that raising a ring reaches every vertex. Blanks beside a comma stay inside
// their tuple ("-9.1, 38.7, 0" is one tuple) and a tuple of longitude and
// latitude only (what GDAL writes) gets the altitude 0 it stands for.
QString ringCoordinates(QStringView text);

// parseLinha7: "lat" / "lon" of the first vertex formatted "###.000000", "alt"
// of the last vertex as a whole number ("0" when empty); "" for other kinds.
QString parseLinha7(const QString& line, QStringView kind);

// Reads a shape text file: "[ShapeFile]", then name, ring and value lines per
// ring, up to a name line holding "[Options]". Pure.
ShapeTextParse parseShapeText(QStringView text);

// CarregaTxtPolygon: the shape text of ctx.set.currentFile (already read).
void carregaTxtPolygon(PlaceContext& ctx, QStringView text);

// CarregaPoligono: puts the rings read from a KML file into store and table.
// `documentBase` is the base name the KML document named ("" when none).
void carregaPoligono(PlaceContext& ctx, const std::vector<Ring>& rings, const QString& documentBase);

struct ShapeBounds {
    double latMin = 0, latMax = 0, lonMin = 0, lonMax = 0;
    double valueMin = 0, valueMax = 0;
    float rawValueMin = 0, rawValueMax = 0;
};

// MaxMinPoly: bounds of the rings' first vertices and the value range, with
// the value of every ring taken from the table (shape k in table row k).
// The store's value column receives those values. Throws on a run-time error.
ShapeBounds maxMinPoly(PlaceContext& ctx);

// PontoMedioShape: centre of a ring as "lon,lat,alt " where alt comes from
// `altitudeSource` (the polygon text generation keeps for the ring; "" before
// generation). Throws on a run-time error.
QString pontoMedioShape(const QString& ring, const QString& altitudeSource);

} // namespace kartello
