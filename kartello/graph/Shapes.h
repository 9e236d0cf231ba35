#pragma once
// Shape graphs: areas read as polygon rings are raised as they are instead of
// being drawn as regular polygons round a point.
#include "graph/ErrorSink.h"
#include "graph/GraphState.h"

#include <QString>
#include <functional>

namespace kartello {

struct ShapeHooks;
class Ui;

// "Fix shape's draw order": takes values from the table (rings of one area
// share their value), finds the box and value range, and rewrites every ring
// that runs clockwise in reverse order with altitude 0. Traps its own errors
// (" in procedure MontaShape of form Main. It seems there is a problem with the
// data. Review your input file.") and then ends; rings done stay rewritten.
void MontaShape(PlaceRange& rings, GraphState& st, const ShapeHooks& hooks, Ui& ui, const ErrorSink& sink);

// Signed area sum of a ring with longitude as x and latitude as y; negative
// for a ring that runs clockwise.
double signedAreaSum(const std::vector<double>& lon, const std::vector<double>& lat);

// For every ring, the ring it is a hole of, or -1 for an outer ring. A hole
// is a ring of the same shape (the same name as the rings before it) whose
// first vertex lies inside one of that shape's outer rings.
std::vector<int> holeOwners(const PlaceRange& rings);

// The ring text with its first tuple's altitude replaced by h wherever that
// altitude text recurs. Asks "calcula alturas" when the first tuple has no
// altitude; a "No" throws GenerationStopped.
QString raiseRing(const QString& ring, long long h, Ui& ui);

} // namespace kartello
