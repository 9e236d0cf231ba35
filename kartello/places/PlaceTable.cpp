#include "places/PlaceTable.h"
#include "form/ControlNames.h"

#include "places/ClipboardReader.h"
#include "places/QuickSort.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QSignalBlocker>

namespace kartello {

namespace {

const char* const kHeaders[4] = {"Latitude", "Longitude", "Place/WP name", "Value"};
const int kMinWidths[4] = {1000, 1000, 1590, 1000};
const int kResizeColumns = 1; // the grid's AllowUserResizing value for columns only

constexpr QStringView kFilterBoxes[6] = {ctl::txtLat_0, ctl::txtLon_0, ctl::txtVal_0,
                                         ctl::txtLat_1, ctl::txtLon_1, ctl::txtVal_1};

// Rows inserted or deleted in the table go to the store and the backup as well,
// so that a later sort or filter sees the same set as the table.
void insertInStep(PlaceSet& set) {
    const bool filtered = set.filterInForce();
    set.placeData.clearRows(set.lastPlace, set.lastPlace);
    set.backupLast += 1;
    set.placeBackup.clearRows(set.backupLast, set.backupLast);
    set.placeData.row(set.lastPlace).backupRow = set.backupLast;
    if (filtered)
        set.fullLastPlace = set.backupLast;
}

void deleteInStep(PlaceSet& set, int storeRow, int oldLast) {
    const bool filtered = set.filterInForce();
    const int b = set.placeData.row(storeRow).backupRow;
    for (int r = storeRow; r < oldLast; ++r)
        set.placeData.row(r) = set.placeData.row(r + 1);
    set.placeData.clearRows(oldLast, oldLast);
    if (b < 0 || b > set.backupLast)
        return;
    for (int r = b; r < set.backupLast; ++r)
        set.placeBackup.row(r) = set.placeBackup.row(r + 1);
    set.placeBackup.clearRows(set.backupLast, set.backupLast);
    set.backupLast -= 1;
    for (int r = 0; r <= set.lastPlace; ++r) {
        int& link = set.placeData.row(r).backupRow;
        if (link > b)
            --link;
    }
    if (filtered)
        set.fullLastPlace = set.backupLast;
}

void insertRow(PlaceContext& ctx) {
    tessara::GridModel& g = ctx.grid;
    g.setRows(g.Rows() + 1);
    g.setRow(g.Rows() - 1);
    ctx.set.lastPlace += 1;
    if (!ctx.set.shapeMode)
        insertInStep(ctx.set);
}

void deleteRow(PlaceContext& ctx) {
    tessara::GridModel& g = ctx.grid;
    const int r = g.Row();
    if (r <= 0)
        return;
    if (r == g.Rows() - 1)
        g.setRows(g.Rows() - 1);
    else
        g.DeleteRows(r, 1);
    const int oldLast = ctx.set.lastPlace;
    ctx.set.lastPlace -= 1;
    if (!ctx.set.shapeMode && r - 1 <= oldLast)
        deleteInStep(ctx.set, r - 1, oldLast);
}

void randomValues(PlaceContext& ctx) {
    QRandomGenerator rng(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()));
    for (int r = 1; r < ctx.grid.Rows(); ++r) {
        const double v = intFloor(rng.generateDouble() * 100);
        ctx.grid.setTextMatrix(r, 3, numberText(v));
        const int k = r - 1;
        if (ctx.set.shapeMode || k > ctx.set.lastPlace)
            continue;
        ctx.set.placeData.at(k, ColValue) = Cell(v);
        const int b = ctx.set.placeData.row(k).backupRow;
        if (b >= 0)
            ctx.set.placeBackup.at(b, ColValue) = Cell(v);
    }
}

// Header text of a sorted column: "> " after descending, "< " after ascending.
bool sortsDescending(QString& header) {
    if (!header.contains(u'<') && !header.contains(u'>')) {
        header = QStringLiteral("> ") + header;
        return true;
    }
    if (header.contains(u'>')) {
        header = QStringLiteral("< ") + header.mid(2);
        return false;
    }
    header = QStringLiteral("> ") + header.mid(2);
    return true;
}

int tableColumnAt(double x) {
    if (x <= 1015)
        return 0;
    if (x < 2030)
        return 1;
    if (x < 3635)
        return 2;
    return 3;
}

} // namespace

int storeColumnOf(int tableColumn) {
    if (tableColumn == 2)
        return ColName;
    if (tableColumn == 3)
        return ColValue;
    return tableColumn;
}

void formataGrid(tessara::GridModel& grid) {
    grid.Clear();
    grid.setRows(2);
    grid.setRedraw(true);
    grid.setCols(4);
    grid.setFixedCols(0);
    grid.setFixedRows(1);
    // The person may widen or narrow any column by dragging its edge.
    grid.setAllowUserResizing(kResizeColumns);
    for (int c = 0; c < 4; ++c) {
        grid.AutoColWidth(c, kMinWidths[c]);
        grid.setTextMatrix(0, c, QString::fromLatin1(kHeaders[c]));
    }
}

void fitColumns(tessara::GridModel& grid) {
    const QSignalBlocker quiet(&grid);
    const int row = grid.Row(), col = grid.Col(), rowSel = grid.RowSel(), colSel = grid.ColSel();
    for (int c = 0; c < grid.Cols(); ++c)
        grid.AutoColWidth(c, c < 4 ? kMinWidths[c] : 0);
    grid.setRow(row);
    grid.setCol(col);
    grid.setRowSel(rowSel);
    grid.setColSel(colSel);
}

QString formatCell(const Cell& cell, QStringView picture) {
    if (cell.isNumber())
        return formatPicture(cell.toNumber(), picture);
    const QString text = cell.toText();
    return isNumber(text) ? formatPicture(readNumber(text), picture) : text;
}

void refillTable(PlaceContext& ctx, QStringView picture) {
    const PlaceStore& store = ctx.set.placeData;
    for (int i = 0; i <= ctx.set.lastPlace; ++i) {
        ctx.ui.yieldToWindow();
        ctx.grid.setTextMatrix(i + 1, 0, formatCell(store.at(i, ColLatitude), picture));
        ctx.grid.setTextMatrix(i + 1, 1, formatCell(store.at(i, ColLongitude), picture));
        ctx.grid.setTextMatrix(i + 1, 2, store.at(i, ColName).toText());
        ctx.grid.setTextMatrix(i + 1, 3, store.at(i, ColValue).toText());
    }
    fitColumns(ctx.grid);
}

void showPlaceCount(PlaceContext& ctx) {
    ctx.form.setCaption(ctl::lblNPlaces,
                        QStringLiteral("N.places: ") + QString::number(ctx.set.lastPlace + 1));
}

void constR(PlaceContext& ctx) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("ConstR")}, [&] {
        for (QStringView label : {ctl::Label6_0, ctl::Label6_1, ctl::Label6_2})
            ctx.form.setVisible(label, true);
        for (QStringView box : kFilterBoxes)
            ctx.form.setEnabled(box, true);
        for (QStringView button :
             {ctl::ComFilter_0, ctl::ComFilter_1, ctl::comRow_0, ctl::comRow_1, ctl::comRow_2})
            ctx.form.setEnabled(button, true);
        PlaceSet& set = ctx.set;
        for (int i = 0; i <= set.lastPlace; ++i) {
            ctx.ui.yieldToWindow();
            set.placeBackup.row(i).cells = set.placeData.row(i).cells;
            set.placeBackup.row(i).time = set.placeData.row(i).time;
            set.placeData.row(i).backupRow = i;
        }
        set.backupLast = set.lastPlace;
        // A fresh backup ends any filter: the old full count no longer applies.
        set.fullLastPlace = 0;
        showPlaceCount(ctx);
    });
}

void menuNew(PlaceContext& ctx) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("menuNew_Click")}, [&] {
        PlaceSet& set = ctx.set;
        ctx.grid.Clear();
        formataGrid(ctx.grid);
        set.placeData.clearRows(0, std::max(set.lastPlace, set.backupLast));
        set.placeBackup.clearRows(0, std::max(set.lastPlace, set.backupLast));
        set.lastPlace = 0;
        set.fullLastPlace = 0;
        set.backupLast = 0;
        set.placeData.row(0).backupRow = 0;
        ctx.form.setText(ctl::Text1_0, QString());
        ctx.form.setText(ctl::Text1_1, QString());
        ctx.form.setCheck(ctl::chkSTitle, 0);
        ctx.form.setCaption(ctl::Label4, QStringLiteral("Current file: New File"));
        set.dataLoaded = false;
        // The typed-in set is a place set: leave shape layout.
        if (set.shapeMode) {
            set.shapeMode = false;
            ctx.form.showNormal();
        }
        showPlaceCount(ctx);
    });
}

void comRowClick(PlaceContext& ctx, int index) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("comRow_Click")}, [&] {
        switch (index) {
        case 0:
            insertRow(ctx);
            break;
        case 1:
            deleteRow(ctx);
            break;
        case 2:
            pasteGrid(ctx);
            break;
        case 3:
            colaValores(ctx);
            break;
        case 4:
            randomValues(ctx);
            break;
        default:
            throw RuntimeError(ErrSubscript);
        }
        showPlaceCount(ctx);
    });
}

void gridCellEdited(PlaceContext& ctx) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("Grid1_CellEdited")}, [&] {
        if (ctx.set.shapeMode)
            return;
        const int row = ctx.grid.Row();
        const int c = storeColumnOf(ctx.grid.Col());
        const Cell value(ctx.grid.TextMatrix(row, ctx.grid.Col()));
        ctx.set.placeData.at(row - 1, c) = value;
        const int b = ctx.set.placeData.row(row - 1).backupRow;
        if (b >= 0)
            ctx.set.placeBackup.at(b, c) = value;
        ctx.set.dataLoaded = true;
        fitColumns(ctx.grid);
    });
}

void gridSelChange(PlaceContext& ctx) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("Grid1_SelChange")},
                 [&] { ctx.grid.setTextMatrix(0, 0, QStringLiteral("Latitude")); });
}

void gridMouseDown(PlaceContext& ctx, double x, double y) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("Grid1_MouseDown")}, [&] {
        if (ctx.set.shapeMode || y > ctx.grid.RowHeight(0))
            return;
        const int tableCol = tableColumnAt(x);
        const int storeCol = storeColumnOf(tableCol);
        QString header = ctx.grid.TextMatrix(0, tableCol);
        const bool descending = sortsDescending(header);
        bool sorted = true;
        Procedure sort(descending ? QStringLiteral("QuickSort33A") : QStringLiteral("QuickSort33D"),
                       QString(), QStringLiteral(" of Módulo Module1"));
        sort.cleanUp = [&] {
            sorted = false;
        };
        runProcedure(ctx.ui, sort, [&] {
            if (descending)
                quickSort33A(ctx.set.placeData, storeCol, 3, 0, ctx.set.lastPlace, ctx.ui);
            else
                quickSort33D(ctx.set.placeData, storeCol, 3, 0, ctx.set.lastPlace, ctx.ui);
        });
        ctx.grid.setTextMatrix(0, tableCol, header);
        for (int c = 0; c < ctx.grid.Cols(); ++c) {
            const QString h = ctx.grid.TextMatrix(0, c);
            if (c != tableCol && (h.contains(u'<') || h.contains(u'>')))
                ctx.grid.setTextMatrix(0, c, h.mid(2));
        }
        if (sorted)
            refillTable(ctx, u"###.000000");
    });
}

void comFilterClick(PlaceContext& ctx, int index) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("ComFilter_Click")}, [&] {
        double lower[3] = {-1e20, -1e20, -1e20};
        double upper[3] = {1e20, 1e20, 1e20};
        for (int k = 0; k < 3; ++k) {
            const QStringView lo = kFilterBoxes[k];
            const QStringView hi = kFilterBoxes[k + 3];
            if (index == 0) {
                if (isNumber(ctx.form.text(lo)))
                    lower[k] = readNumber(ctx.form.text(lo));
                if (isNumber(ctx.form.text(hi)))
                    upper[k] = readNumber(ctx.form.text(hi));
            } else {
                ctx.form.setText(lo, QString());
                ctx.form.setText(hi, QString());
            }
        }
        PlaceSet& set = ctx.set;
        int kept = 0;
        for (int i = 0; i <= set.backupLast; ++i) {
            ctx.ui.yieldToWindow();
            const PlaceRow& row = set.placeBackup.row(i);
            bool inside = true;
            for (int k = 0; k < 3; ++k) {
                const double v = row.cells[static_cast<size_t>(k)].toNumber();
                inside = inside && v >= lower[k] && v <= upper[k];
            }
            if (!inside)
                continue;
            set.placeData.row(kept).cells = row.cells;
            set.placeData.row(kept).time = row.time;
            set.placeData.row(kept).backupRow = i;
            ++kept;
        }
        set.fullLastPlace = set.backupLast;
        set.lastPlace = kept - 1;
        ctx.grid.Clear();
        formataGrid(ctx.grid);
        ctx.grid.setRows(set.lastPlace + 2);
        refillTable(ctx, u"###.0000");
        showPlaceCount(ctx);
    });
}

} // namespace kartello
