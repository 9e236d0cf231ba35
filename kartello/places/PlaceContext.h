#pragma once
// What the place procedures work on: the set, the table, the window's controls
// and the person. The session object Main hands one out.
#include "form/FormModel.h"
#include "places/PlaceStore.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"
#include "runtime/Ui.h"

#include <tessara/GridModel.h>

namespace kartello {

struct PlaceContext {
    PlaceSet& set;
    tessara::GridModel& grid;
    FormModel& form;
    Ui& ui;
};

} // namespace kartello
