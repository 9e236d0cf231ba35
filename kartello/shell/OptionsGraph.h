#pragma once
// The graph options as generation reads them from the controls of Main, the
// boxes it writes back, and faZ itself: validation, the copy of the table
// into the store, generation and saving.
#include "graph/GraphOptions.h"
#include "graph/GraphState.h"

namespace kartello {

class ArcSinLink;
class FormModel;
class Main;

GraphOptions graphOptionsOf(const FormModel& form);

// The boxes generation fills (automatic factors, the colour-scale range) and
// the transforms it may clear, put back on their controls.
void writeBack(FormModel& form, const GraphOptions& before, const GraphOptions& after);

// faZ: makes the graph of the current place set and saves it through the save
// dialog. True when a file was written.
bool faZ(Main& main, GraphState& state, ArcSinLink& arcSin);

} // namespace kartello
