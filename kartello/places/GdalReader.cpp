#include "places/GdalReader.h"

#include "form/ControlNames.h"
#include "places/TextReader.h"

namespace kartello {

bool readGdal(PlaceContext& ctx) {
    const std::optional<FieldChoice> choice = ctx.ui.chooseFields(ctx.set.currentFile, ctx.set.fieldChoice);
    if (!choice) {
        // Cancelled: nothing read, nothing changed.
        ctx.form.setCaption(ctl::lblProg, QString());
        return true;
    }
    const GdalParse parsed = parseGdal(ctx.set.currentFile, *choice);
    switch (parsed.outcome) {
    case GdalParse::NotRead:
        return false;
    case GdalParse::TooLarge:
        ctx.ui.setBusy(false);
        ctx.ui.messageBox(
            QStringLiteral("Can't proceed. The file is too large (> 5000 lines). You can split it "
                           "in smaller parts and try again. (Procedure carregaKML) "),
            QStringLiteral("Kartello"), MsgIcon::Critical);
        return true;
    case GdalParse::Shapes:
        carregaPoligono(ctx, parsed.rings, QString());
        return true;
    case GdalParse::Places:
        ctx.set.graphBaseName = parseArq(ctx.set.currentFile) + QStringLiteral("-Graph");
        loadPlaceRows(ctx, parsed.places, u"###.000000", parsed.times);
        return true;
    }
    return false;
}

} // namespace kartello
