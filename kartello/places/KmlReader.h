#pragma once
// The KML placemark reader. It follows the XML structure: each Placemark is
// one place (its own name, the first tuple of its first coordinates), whatever
// the line layout of the file.
#include "places/PlaceContext.h"
#include "places/ShapeReader.h"

#include <vector>

namespace kartello {

struct KmlPlace {
    QString name;
    QString longitude; // as written in the file
    QString latitude;
    QString value; // from the placemark's ExtendedData, "" when it has none
    bool hasCoordinates = false;
};

struct KmlParse {
    enum Outcome { Places, Shapes, TooLarge, NotUnderstood };
    Outcome outcome = Places;
    QString documentName; // the first name before any placemark
    std::vector<KmlPlace> places;
    std::vector<Ring> rings; // filled when the file holds LinearRing or LineString
};

// Most placemarks one KML file may bring.
inline constexpr int kMaxKmlPlaces = 5000;

// The three KML namespaces the reader knows.
extern const char* const kKmlNamespaces[3];

// Reads KML text (pure). A truncated file keeps the placemarks read
// completely before the cut; markup that is not well formed is read as far as
// its tags can be told apart.
// A placemark's value is its ExtendedData field `valueField` (SimpleData or
// Data), or with no field named the first of its fields that is a number.
KmlParse parseKml(QStringView text, const QString& valueField = QString());

// The KML text of a file: a KMZ archive opens through the KML document inside
// it (doc.kml, else its first .kml entry). Throws RuntimeError on failure.
QString readKmlFile(const QString& path);

// The document's base name for the graph files: the name cut before its first
// ".", or "" when the document has no name.
QString documentBaseName(const QString& documentName);

// Reads ctx.set.currentFile as KML (or KMZ).
void readKml(PlaceContext& ctx);
// The same on KML text already read from ctx.set.currentFile.
void readKmlText(PlaceContext& ctx, QStringView text);

} // namespace kartello
