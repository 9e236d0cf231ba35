#pragma once
// What a shape set gives graph generation: its bounding box and value range,
// ring centres, the first vertex's fields and the values the table holds.
// Unused for point places.
#include "places/PlaceContext.h"
#include "places/ShapeReader.h"

#include <QStringList>

#include <functional>

namespace kartello {

struct ShapeHooks {
    // Bounding box and value range of the rings, values from the table (the
    // plain shape box step).
    std::function<ShapeBounds()> boxAndRange;
    // Centre of a ring as "lon,lat,alt " (used for rings of more than 8
    // commas); the altitude comes from `altitudeSource`.
    std::function<QString(const QString& ring, const QString& altitudeSource)> centre;
    // Longitude and latitude field texts of a ring's first tuple.
    std::function<QString(const QString&)> lonField;
    std::function<QString(const QString&)> latField;
    // Table value texts, shape k (from 1) at index k - 1.
    QStringList tableValues;
};

// The hooks of the shape set in ctx, with the table values as they are now.
ShapeHooks shapeHooksFor(PlaceContext& ctx);

} // namespace kartello
