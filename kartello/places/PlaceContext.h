#pragma once
// What the place procedures work on: the set, the table, the window's controls
// and the person. The session object Main hands one out.
#include "form/FormModel.h"
#include "places/PlaceStore.h"
#include "runtime/RuntimeError.h"
#include "runtime/Ui.h"

#include <tessara/GridModel.h>

#include <functional>

namespace kartello {

struct PlaceContext {
    PlaceSet& set;
    tessara::GridModel& grid;
    FormModel& form;
    Ui& ui;
};

// A procedure that traps its run-time errors: runs body; a RuntimeError or a
// grid error is reported with the message built by `message` and ends it.
// Returns false when an error was trapped.
bool trapErrors(Ui& ui, const std::function<QString(const RuntimeError&)>& message,
                const std::function<void()>& body, MsgIcon icon = MsgIcon::None,
                const QString& title = QStringLiteral("Kartello"));

// The plain "Error n (d) in procedure p of form Main" box.
bool trapProcedure(Ui& ui, const QString& procedure, const std::function<void()>& body);

} // namespace kartello
