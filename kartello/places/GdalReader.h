#pragma once
// Places and shapes from every vector format GDAL/OGR reads (GeoPackage,
// Shapefile, GeoJSON, GPX, FlatGeobuf, CSV with a header row, ...): points
// become places, polygons and multipolygons (holes included) a shape set,
// every coordinate reprojected to WGS84 longitude/latitude.
#include "places/LoadPlaceRows.h"
#include "places/PlaceContext.h"
#include "places/ShapeReader.h"
#include "runtime/FieldChoice.h"

#include <vector>

namespace kartello {

struct GdalParse {
    enum Outcome { Places, Shapes, TooLarge, NotRead };
    Outcome outcome = NotRead;
    QString layerName;
    std::vector<StoreRow> places; // latitude and longitude as numbers
    std::vector<QString> times;   // one per place when a time field was chosen
    std::vector<Ring> rings;
};

// Reads a file through GDAL/OGR (pure apart from reading the file). NotRead
// when GDAL cannot open it as vector data or it holds no point or polygon.
GdalParse parseGdal(const QString& path, const FieldChoice& choice);

// Asks the person for the layer and fields (offering the set's field choice),
// then puts what parseGdal read into store and table as the other readers do.
// False when the file was not read (nothing changed, no message shown); a
// cancelled choice reads nothing and changes nothing.
bool readGdal(PlaceContext& ctx);

} // namespace kartello
