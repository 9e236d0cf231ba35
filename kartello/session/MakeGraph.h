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
class Ui;

GraphOptions graphOptionsOf(const FormModel& form);

// The boxes generation fills (automatic factors, the colour-scale range) and
// the transforms it may clear, put back on their controls.
void writeBack(FormModel& form, const GraphOptions& before, const GraphOptions& after);

// comCustomColor: the blend from Image1(1) to Image1(0) becomes the colour
// scale and the custom scale is chosen. False when the blend failed (shown).
bool customColorScale(FormModel& form, Ui& ui, GraphState& state);

// faZ: makes the graph of the current place set and saves it through the save
// dialog. True when a file was written.
bool faZ(Main& main, GraphState& state, ArcSinLink& arcSin);

} // namespace kartello
