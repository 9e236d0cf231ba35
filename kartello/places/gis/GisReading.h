#pragma once
// The GIS reader inside the module: what places/GisLink hands to the rest of
// the program once the module is loaded.
#include "places/FieldCatalog.h"
#include "places/GdalReader.h"

namespace kartello::gis {

GdalParse parseGdal(const QString& path, const FieldChoice& choice);

std::optional<FieldCatalog> readFieldCatalog(const QString& path, int rowLimit);

} // namespace kartello::gis
