#pragma once
// Graph generation after the table has been validated and copied into the
// store: value range, colours, heights, sizes, polygon corners, camera, grid,
// overlay images and the document lines.
#include "graph/GraphOptions.h"
#include "graph/GraphState.h"

#include <functional>

namespace kartello {

class ArcSinLink;
class Ui;

// What Part of the shape input (the shape set's own procedures) gives
// generation; unused for point places.
struct ShapeHooks {
    // Bounding box and value range of the rings, values from the table
    // (the plain shape box step). Fills latMin.. and valueMin.. of the state.
    std::function<void(PlaceRange&, GraphState&)> boxAndRange;
    // Centre of ring i as "lon,lat,alt " (used for rings of more than 8 commas).
    std::function<QString(int)> centre;
    // Longitude and latitude field texts of a ring's first tuple.
    std::function<QString(const QString&)> lonField;
    std::function<QString(const QString&)> latField;
    // Table value texts, shape k (from 1) at index k - 1.
    QStringList tableValues;
};

struct GraphRun {
    GraphOptions& options;
    PlaceRange& places; // rows 0..lastPlace
    GraphState& state;
    Ui& ui;
    ArcSinLink& arcSin;
    bool shapeMode = false;
    const ShapeHooks* shapes = nullptr;
};

// Builds the document into state.kmlLines. False when generation ended
// without a document: a "No" to a question, or a run-time error that was
// reported ("... in procedure faZ of form Main. Please review your data").
bool generateGraph(GraphRun& run);

} // namespace kartello
