// The module's one exported symbol: the table of the GIS reader's functions.
#include "places/GisLink.h"
#include "places/gis/GisReading.h"

extern "C" __attribute__((visibility("default"))) const kartello::GisReader* kartello_gis_reader() {
    static const kartello::GisReader reader{&kartello::gis::parseGdal, &kartello::gis::readFieldCatalog};
    return &reader;
}
