#pragma once
// The session object: everything the main window Main holds for the whole run
// (the form model, the place table and store), and the commands that work on
// them. The window and the batch command drive it; neither owns state of its own.
#include "form/FormModel.h"
#include "places/PlaceContext.h"
#include "runtime/Ui.h"

#include <tessara/GridModel.h>

#include <memory>

namespace kartello {

class Main {
public:
    // A session with a table of its own (the batch command, tests).
    explicit Main(Ui& ui);
    // A session on the table that a window shows.
    Main(Ui& ui, tessara::GridModel& table);
    Main(const Main&) = delete;
    Main& operator=(const Main&) = delete;

    // Form_Load steps 1 to 7: form defaults, the empty table, no place set.
    void formLoad();

    PlaceContext placeContext() { return PlaceContext{places, grid, form, ui}; }

    // Menu "File".
    void menuNew();
    void menuOpenFile(); // resets the "Size" caption, then the open dialog and readers
    void menuSaveTxt();
    void menuExportGrid();
    // Menu "Run": the option checks; true when generation may start.
    bool menuRunChecks();

    // Buttons and table events of the place panel.
    void comRow(int index);
    void comFilter(int index);
    void gridCellEdited();
    void gridSelChange();
    void gridMouseDown(double xTwips, double yTwips);

private:
    void linkFormToPlaces();

    std::unique_ptr<tessara::GridModel> ownTable;

public:
    Ui& ui;
    FormModel form;
    tessara::GridModel& grid;
    PlaceSet places;
};

} // namespace kartello
