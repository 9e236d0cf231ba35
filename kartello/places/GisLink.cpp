#include "places/GisLink.h"

#include "runtime/RuntimeError.h"
#include "runtime/SharedLibrary.h"

#include <dlfcn.h>
#include <mutex>

namespace kartello {

namespace {

const GisReader* loadGisReader() {
    void* module = openSharedLibrary(besideProgramThenSearchPath(kGisModule));
    if (!module)
        throw RuntimeError(ErrFileNotFound, QStringLiteral("File not found: ") + QLatin1String(kGisModule));
    const auto entry = reinterpret_cast<GisEntry>(dlsym(module, kGisEntryPoint));
    if (!entry)
        throw RuntimeError(ErrEntryPointNotFound,
                           QStringLiteral("Can't find DLL entry point %1 in %2")
                               .arg(QLatin1String(kGisEntryPoint), QLatin1String(kGisModule)));
    return entry();
}

} // namespace

const GisReader& gisReader() {
    static std::mutex guard;
    static const GisReader* reader = nullptr;
    const std::lock_guard lock(guard);
    if (!reader)
        reader = loadGisReader();
    return *reader;
}

GdalParse parseGdal(const QString& path, const FieldChoice& choice) {
    return gisReader().parse(path, choice);
}

std::optional<FieldCatalog> readFieldCatalog(const QString& path, int rowLimit) {
    return gisReader().catalog(path, rowLimit);
}

} // namespace kartello
