#include "places/ShapeHooks.h"

namespace kartello {

namespace {

// Table values of the shapes: shape k in table row k, column 3.
QStringList shapeTableValues(const tessara::GridModel& grid) {
    QStringList values;
    for (int r = 1; r < grid.Rows(); ++r)
        values << grid.TextMatrix(r, 3);
    return values;
}

} // namespace

ShapeHooks shapeHooksFor(PlaceContext& ctx) {
    ShapeHooks hooks;
    hooks.tableValues = shapeTableValues(ctx.grid);
    hooks.lonField = [](const QString& t) {
        return parseLinha7(t, u"lon");
    };
    hooks.latField = [](const QString& t) {
        return parseLinha7(t, u"lat");
    };
    hooks.boxAndRange = [ctx]() mutable {
        return maxMinPoly(ctx);
    };
    hooks.centre = [](const QString& ring, const QString& altitudeSource) {
        return pontoMedioShape(ring, altitudeSource);
    };
    return hooks;
}

} // namespace kartello
