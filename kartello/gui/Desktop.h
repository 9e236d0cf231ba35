#pragma once

#include "MainWindow.h"

namespace kartello {
class Main;
struct GraphState;
} // namespace kartello

namespace tessara {
class Tessara;
}

namespace kartello::gui {

// The session's commands behind the window's menus and buttons.
MainCommands sessionCommands(Main& main, GraphState& state);

// The place table's events reach the session's handlers.
void connectTable(tessara::Tessara& table, Main& main);

// The program with its window: the session, the main window bound to it, the
// decimal-separator guard at start and its restore at the end. Returns the
// exit status.
int runDesktop(int argc, char** argv);

} // namespace kartello::gui
