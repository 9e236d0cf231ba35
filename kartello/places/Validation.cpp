#include "places/Validation.h"
#include "form/ControlNames.h"

#include "places/PlaceTable.h"
#include "runtime/Number.h"

#include <cmath>

namespace kartello {

namespace {

bool refuse(Ui& ui, const QString& text) {
    ui.messageBox(text, QStringLiteral("Kartello"), MsgIcon::Exclamation);
    return false;
}

bool validRow(PlaceContext& ctx, int r, bool valueNeeded) {
    const tessara::GridModel& g = ctx.grid;
    const QString name = g.TextMatrix(r, 2);
    const QString lat = g.TextMatrix(r, 0);
    const QString lon = g.TextMatrix(r, 1);
    if (!isNumber(lat))
        return refuse(ctx.ui, QStringLiteral("Please enter latitude for ") + name);
    if (std::fabs(readNumber(lat)) > 90)
        return refuse(ctx.ui, lat + QStringLiteral(": invalid latitude for ") + name);
    if (!isNumber(lon))
        return refuse(ctx.ui, QStringLiteral("Please enter the longitude for ") + name);
    if (std::fabs(readNumber(lon)) > 180)
        return refuse(ctx.ui, lon + QStringLiteral(": invalid longitude for ") + name);
    if (valueNeeded && !isNumber(g.TextMatrix(r, 3)))
        return refuse(ctx.ui, QStringLiteral("Please enter the value for ") + name);
    return true;
}

} // namespace

bool validaGrid(PlaceContext& ctx) {
    bool result = false;
    const bool trapped = runProcedure(ctx.ui, Procedure{QStringLiteral("ValidaGrid")}, [&] {
        showPlaceCount(ctx);
        const FormModel& f = ctx.form;
        if ((f.isSet(ctl::Option3_0) || f.isSet(ctl::Option4_0)) && ctx.grid.Rows() < 3) {
            refuse(ctx.ui,
                   QStringLiteral("For color or size varying is necessary, at least, two place marks"));
            return;
        }
        const bool valueNeeded =
            !((f.isSet(ctl::Option3_1) && f.isSet(ctl::Option4_1)) || f.isChecked(ctl::chkNothing));
        for (int r = 1; r < ctx.grid.Rows(); ++r) {
            ctx.ui.yieldToWindow();
            if (!validRow(ctx, r, valueNeeded))
                return;
        }
        result = true;
    });
    return trapped && result;
}

} // namespace kartello
