#include "places/GisLink.h"

#include "runtime/SharedLibrary.h"

namespace kartello {

const GisReader& gisReader() {
    // Loaded once; a load that fails throws, and the next call tries again.
    static const GisReader& reader = *reinterpret_cast<GisEntry>(
        sharedLibrarySymbol(besideProgramThenSearchPath(kGisModule), kGisModule, kGisEntryPoint))();
    return reader;
}

GdalParse parseGdal(const QString& path, const FieldChoice& choice) {
    return gisReader().parse(path, choice);
}

std::optional<FieldCatalog> readFieldCatalog(const QString& path, int rowLimit) {
    return gisReader().catalog(path, rowLimit);
}

} // namespace kartello
