#include "places/LoadPlaceRows.h"
#include "form/ControlNames.h"

#include "places/PlaceTable.h"
#include "runtime/Number.h"

namespace kartello {

void loadPlaceRows(PlaceContext& ctx, const std::vector<StoreRow>& rows, QStringView picture,
                   const std::vector<QString>& times) {
    // Every text the table will show is made first: a number that cannot be
    // formatted stops the read before the loaded set is touched.
    std::vector<std::array<QString, 2>> coordinates;
    coordinates.reserve(rows.size());
    for (const StoreRow& row : rows)
        coordinates.push_back(
            {formatCell(row[ColLatitude], picture), formatCell(row[ColLongitude], picture)});

    PlaceSet& set = ctx.set;
    for (size_t i = 0; i < rows.size(); ++i) {
        PlaceRow& row = set.placeData.row(static_cast<int>(i));
        row.cells = rows[i];
        row.time = i < times.size() ? times[i] : QString();
    }
    set.lastPlace = static_cast<int>(rows.size()) - 1;
    set.shapeMode = false;
    ctx.form.setVisible(ctl::Grid1, true);
    ctx.form.setVisible(ctl::Shape1, true);
    ctx.grid.Clear();
    formataGrid(ctx.grid);
    ctx.grid.setRows(set.lastPlace + 2);
    for (int i = 0; i <= set.lastPlace; ++i) {
        ctx.ui.yieldToWindow();
        const StoreRow& row = rows[static_cast<size_t>(i)];
        ctx.grid.setTextMatrix(i + 1, 0, coordinates[static_cast<size_t>(i)][0]);
        ctx.grid.setTextMatrix(i + 1, 1, coordinates[static_cast<size_t>(i)][1]);
        ctx.grid.setTextMatrix(i + 1, 2, row[ColName].toText());
        ctx.grid.setTextMatrix(i + 1, 3, row[ColValue].toText());
    }
    fitColumns(ctx.grid);
    ctx.form.setCaption(ctl::Label4, QStringLiteral("Current file: ") + set.currentFile);
    constR(ctx);
    set.dataLoaded = true;
    ctx.form.setVisible(ctl::lblNPlaces, true);
    showPlaceCount(ctx);
    ctx.form.setVisible(ctl::chkOpen, true);
    ctx.form.setCaption(ctl::lblProg, QString());
    ctx.form.showNormal();
}

} // namespace kartello
