#pragma once
// The checks of the "Run" command, in their fixed order.
#include "form/FormModel.h"
#include "runtime/Ui.h"

namespace kartello {

// True when graph generation may start: "Do nothing" is ticked, or every
// option check passed. A failed check has shown its warning (and asked the
// window to focus the control to correct) and gives False.
bool runChecks(FormModel& form, Ui& ui);

} // namespace kartello
