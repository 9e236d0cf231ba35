#include "places/OpenCommand.h"

#include "places/KmlReader.h"
#include "places/TextReader.h"

namespace kartello {

void carregaKML(PlaceContext& ctx) {
    const std::optional<QString> path = ctx.ui.openFileDialog(
        QStringLiteral("Open"), QStringLiteral("kml(*.kml)|*.kml|txt(*.txt)|*.txt|All files(*.*)|*.*|"),
        QStringLiteral("*.kml"), QString());
    if (!path || path->isEmpty())
        return;
    ctx.set.currentFile = *path;
    // The test is case-sensitive, as it always was: "PLACES.TXT" is read as KML.
    if (ctx.set.currentFile.contains(u".txt"))
        carrega(ctx);
    else
        readKml(ctx);
}

} // namespace kartello
