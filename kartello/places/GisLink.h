#pragma once
// GIS data is read through GDAL/OGR, which brings over a hundred shared
// libraries with it. The reader lives in the module libkartello_gis.so,
// loaded at the first GIS file (beside the program, else from the library
// search path), so that every other run starts without those libraries.
#include "places/FieldCatalog.h"
#include "places/GdalReader.h"

namespace kartello {

// What the module provides.
struct GisReader {
    GdalParse (*parse)(const QString& path, const FieldChoice& choice);
    std::optional<FieldCatalog> (*catalog)(const QString& path, int rowLimit);
};

// The module's entry point returns its table; the module and the program are
// built together, so the table's layout is the program's own.
inline constexpr char kGisModule[] = "libkartello_gis.so";
inline constexpr char kGisEntryPoint[] = "kartello_gis_reader";
using GisEntry = const GisReader* (*)();

// The loaded module's table. Throws RuntimeError 53 ("File not found:
// libkartello_gis.so") when it cannot be loaded, 453 when it lacks the entry
// point; tries again at the next call.
const GisReader& gisReader();

} // namespace kartello
