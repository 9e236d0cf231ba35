#include "places/ClipboardReader.h"
#include "form/ControlNames.h"

#include "places/PlaceTable.h"
#include "places/TextReader.h"
#include "runtime/RuntimeError.h"

namespace kartello {

namespace {

const char* const kInvalidData =
    "Invalid Data. Your data shall be:\r\n\r\nCol 1 => Place Name\r\nCol 2 => Latitude\r\n"
    "Col 3 => Longitude\r\nCol 4 => Value   ";

QString withoutCommas(QStringView field) {
    QString s = field.toString();
    s.remove(u',');
    return s;
}

// One row split by the first row's column count n; false when the row has too
// few tabs (what the classic reader met as a run-time error).
bool splitRow(QStringView row, int n, PastedRow& out) {
    const qsizetype t1 = row.indexOf(u'\t');
    if (t1 < 0)
        return false;
    const qsizetype t2 = row.indexOf(u'\t', t1 + 1);
    if (t2 < 0)
        return false;
    out.name = withoutCommas(row.left(t1));
    out.latitude = withoutCommas(row.mid(t1 + 1, t2 - t1 - 1));
    if (n == 3) {
        out.longitude = withoutCommas(row.mid(t2 + 1));
        return true;
    }
    const qsizetype t3 = row.indexOf(u'\t', t2 + 1);
    if (t3 < 0)
        return false;
    // More than four columns: the longitude keeps the remaining fields.
    out.longitude = withoutCommas(n == 4 ? row.mid(t2 + 1, t3 - t2 - 1) : row.mid(t2 + 1));
    out.value = withoutCommas(row.mid(t3 + 1));
    return true;
}

void tooLarge(Ui& ui) {
    ui.messageBox(
        QStringLiteral("Sorry, the file is too large (> 5000 lines). You can split it in smaller parts."),
        QStringLiteral("Kartello"), MsgIcon::Critical);
}

} // namespace

QStringList clipboardRows(QStringView text, qsizetype maxRows) {
    QStringList rows;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype p = pos;
        while (p < text.size() && text[p] != u'\r' && text[p] != u'\n')
            ++p;
        // A last row without a line break is a row too (a spreadsheet copies
        // one whenever the selection's last cell is not followed by one).
        if (p >= text.size() && text.mid(pos).trimmed().isEmpty())
            break;
        rows << text.mid(pos, p - pos).toString();
        if (p >= text.size())
            break;
        pos = p + 1;
        if (text[p] == u'\r' && pos < text.size() && text[pos] == u'\n')
            ++pos;
        if (rows.size() > maxRows)
            break;
    }
    return rows;
}

ClipboardGridParse parseClipboardGrid(QStringView text) {
    ClipboardGridParse result;
    const QStringList rows = clipboardRows(text, kMaxTextPlaces);
    if (rows.size() > kMaxTextPlaces) {
        result.outcome = ClipboardGridParse::TooLarge;
        return result;
    }
    // An empty block would only empty the set: it is refused like a block without columns.
    if (rows.isEmpty()) {
        result.outcome = ClipboardGridParse::Invalid;
        return result;
    }
    const int n = static_cast<int>(rows[0].count(u'\t')) + 1;
    for (const QString& row : rows) {
        PastedRow pasted;
        if (!splitRow(row, n, pasted)) {
            result.outcome = ClipboardGridParse::Invalid;
            result.rows.clear();
            return result;
        }
        result.rows.push_back(std::move(pasted));
    }
    return result;
}

void pasteGrid(PlaceContext& ctx) {
    ctx.ui.setBusy(true);
    const ClipboardGridParse parsed = parseClipboardGrid(ctx.ui.clipboardText());
    if (parsed.outcome == ClipboardGridParse::TooLarge) {
        ctx.ui.setBusy(false);
        tooLarge(ctx.ui);
        return;
    }
    if (parsed.outcome == ClipboardGridParse::Invalid) {
        ctx.ui.setBusy(false);
        ctx.ui.messageBox(QString::fromLatin1(kInvalidData), QStringLiteral("Invalid Data"),
                          MsgIcon::Exclamation);
        return;
    }
    ctx.grid.Clear();
    formataGrid(ctx.grid);
    PlaceSet& set = ctx.set;
    set.lastPlace = static_cast<int>(parsed.rows.size()) - 1;
    ctx.grid.setRows(static_cast<int>(parsed.rows.size()) + 1);
    for (size_t i = 0; i < parsed.rows.size(); ++i) {
        ctx.ui.yieldToWindow();
        const int r = static_cast<int>(i) + 1;
        const PastedRow& p = parsed.rows[i];
        ctx.grid.setTextMatrix(r, 2, p.name);
        ctx.grid.setTextMatrix(r, 0, p.latitude);
        ctx.grid.setTextMatrix(r, 1, p.longitude);
        ctx.grid.setTextMatrix(r, 3, p.value);
    }
    fitColumns(ctx.grid);
    ctx.form.setCaption(ctl::lblProg, QString());
    comDone(ctx);
    ctx.ui.setBusy(false);
    ctx.form.setCaption(ctl::Label4, QStringLiteral("Current file: Clipboard"));
}

void comDone(PlaceContext& ctx) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("comDone_Click")}, [&] {
        PlaceSet& set = ctx.set;
        for (int i = 0; i <= set.lastPlace; ++i) {
            ctx.ui.yieldToWindow();
            for (int c = 0; c < 4; ++c)
                set.placeData.at(i, storeColumnOf(c)) = Cell(ctx.grid.TextMatrix(i + 1, c));
        }
        set.shapeMode = false;
        ctx.grid.setRow(0);
        ctx.form.setVisible(ctl::chkOpen, true);
        ctx.form.setCaption(ctl::Label4, QStringLiteral("Current file: New File"));
        constR(ctx);
        set.dataLoaded = true;
        ctx.form.setVisible(ctl::lblNPlaces, true);
        showPlaceCount(ctx);
    });
}

void colaValores(PlaceContext& ctx) {
    const Procedure cola{QStringLiteral("cola"),
                         QStringLiteral(". It seems there is a problem with the data. Review the data that "
                                        "you have copied")};
    runProcedure(ctx.ui, cola, [&] {
        const QStringList values = clipboardRows(ctx.ui.clipboardText(), ctx.grid.Rows());
        PlaceSet& set = ctx.set;
        int k = 0;
        for (const QString& value : values) {
            ++k;
            if (k >= ctx.grid.Rows())
                throw RuntimeError(ErrSubscript);
            ctx.grid.setTextMatrix(k, 3, value);
            // Store and backup follow the table (rings are not places in shape mode).
            if (set.shapeMode || k - 1 > set.lastPlace)
                continue;
            set.placeData.at(k - 1, ColValue) = Cell(value);
            const int b = set.placeData.row(k - 1).backupRow;
            if (b >= 0)
                set.placeBackup.at(b, ColValue) = Cell(value);
        }
        fitColumns(ctx.grid);
        ctx.ui.setBusy(false);
    });
}

} // namespace kartello
