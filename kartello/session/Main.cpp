#include "session/Main.h"
#include "form/ControlNames.h"

#include "form/RunChecks.h"
#include "places/OpenCommand.h"
#include "places/PlaceTable.h"
#include "places/SpreadsheetExport.h"
#include "places/TextExport.h"

namespace kartello {

Main::Main(Ui& u) : ownTable(std::make_unique<tessara::GridModel>()), ui(u), form(u), grid(*ownTable) {
    linkFormToPlaces();
}

Main::Main(Ui& u, tessara::GridModel& table) : ui(u), form(u), grid(table) {
    linkFormToPlaces();
}

void Main::linkFormToPlaces() {
    form.isShapeMode = [this] {
        return places.shapeMode;
    };
}

void Main::formLoad() {
    places.shapeMode = false;
    places.dataLoaded = false;
    form.startUp();
    runProcedure(ui, Procedure{QStringLiteral("formataGrid")}, [this] { formataGrid(grid); });
    places.placeData.row(0).backupRow = 0;
}

void Main::menuNew() {
    PlaceContext ctx = placeContext();
    kartello::menuNew(ctx);
}

void Main::menuOpenFile() {
    form.setCaption(ctl::Frame8, QStringLiteral("Size"));
    PlaceContext ctx = placeContext();
    carregaKML(ctx);
}

void Main::menuSaveTxt() {
    PlaceContext ctx = placeContext();
    kartello::menuSaveTxt(ctx);
}

void Main::menuExportGrid() {
    PlaceContext ctx = placeContext();
    exportFlexGrid(ctx);
}

bool Main::menuRunChecks() {
    return runChecks(form, ui);
}

void Main::comRow(int index) {
    PlaceContext ctx = placeContext();
    comRowClick(ctx, index);
}

void Main::comFilter(int index) {
    PlaceContext ctx = placeContext();
    comFilterClick(ctx, index);
}

void Main::gridCellEdited() {
    PlaceContext ctx = placeContext();
    kartello::gridCellEdited(ctx);
}

void Main::gridSelChange() {
    PlaceContext ctx = placeContext();
    kartello::gridSelChange(ctx);
}

void Main::gridMouseDown(double xTwips, double yTwips) {
    PlaceContext ctx = placeContext();
    kartello::gridMouseDown(ctx, xTwips, yTwips);
}

} // namespace kartello
