#pragma once
// Graph generation after the table has been validated and copied into the
// store: value range, colours, heights, sizes, polygon corners, camera, grid,
// overlay images and the document lines.
#include "graph/GraphOptions.h"
#include "graph/GraphState.h"
#include "places/ShapeHooks.h"

namespace kartello {

class ArcSinLink;
class Ui;

struct GraphRun {
    GraphOptions& options;
    PlaceRange& places; // rows 0..lastPlace
    GraphState& state;
    Ui& ui;
    ArcSinLink& arcSin;
    bool shapeMode = false;
    const ShapeHooks* shapes = nullptr;
};

// Builds the document into state.document. False when generation ended
// without a document: a "No" to a question, or a run-time error that was
// reported ("... in procedure faZ of form Main. Please review your data").
bool generateGraph(GraphRun& run);

} // namespace kartello
