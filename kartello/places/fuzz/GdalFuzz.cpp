// The GIS reader on any bytes, written as a file of one of the formats it is
// meant for (the first byte chooses which), listed as the field dialog lists
// it and opened as "Open file" opens it.
#include "FuzzSession.h"
#include "places/FieldCatalog.h"
#include "places/KmlReader.h"

#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kExtensions[] = {".gpkg", ".shp", ".geojson", ".gpx", ".fgb", ".csv", ".json"};
    static QTemporaryDir dir;
    if (size == 0)
        return 0;
    const QString path = dir.filePath(QStringLiteral("input") +
                                      QString::fromLatin1(kExtensions[data[0] % std::size(kExtensions)]));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    }
    (void)kartello::readFieldCatalog(path);
    kartello::fuzz::Session& s = kartello::fuzz::Session::shared();
    const QString before = s.loadKnownSet();
    s.set.currentFile = path;
    kartello::readKml(s.ctx);
    s.checkReplacedOrKept(before);
    QFile::remove(path);
    return 0;
}
