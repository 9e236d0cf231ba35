#include "places/SpreadsheetExport.h"
#include "form/ControlNames.h"

#include "runtime/Number.h"
#include "runtime/OpenFile.h"
#include "runtime/RuntimeError.h"
#include "runtime/Staging.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <algorithm>
#include <vector>

namespace kartello {

void writeWorkbook(PlaceContext& ctx, const QString& path) {
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    lxw_workbook* book = workbook_new(QFile::encodeName(partial).constData());
    if (!book)
        throw RuntimeError(ErrPathFileAccess);
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    const tessara::GridModel& g = ctx.grid;
    std::vector<int> widths(static_cast<size_t>(std::max(g.Cols(), 0)), 8);
    const QString caption = ctx.form.caption(ctl::Label4);
    int done = 0;
    for (int r = 0; r < g.Rows(); ++r) {
        for (int k = 0; k < g.Cols(); ++k) {
            ctx.ui.yieldToWindow();
            const QString text = g.TextMatrix(r, k);
            const QByteArray utf8 = text.toUtf8();
            const auto row = static_cast<lxw_row_t>(r);
            const auto col = static_cast<lxw_col_t>(k);
            if (r > 0 && isNumber(text))
                worksheet_write_number(sheet, row, col, readNumber(text), nullptr);
            else if (!text.isEmpty())
                worksheet_write_string(sheet, row, col, utf8.constData(), nullptr);
            int& w = widths[static_cast<size_t>(k)];
            w = std::max(w, static_cast<int>(std::min<qsizetype>(text.size(), 80)) + 2);
            ++done;
            ctx.form.setCaption(ctl::Label4, QString::number(done / 4));
        }
    }
    // Column widths fitted to the content, as the spreadsheet's AutoFit does.
    for (size_t k = 0; k < widths.size(); ++k)
        worksheet_set_column(sheet, static_cast<lxw_col_t>(k), static_cast<lxw_col_t>(k), widths[k], nullptr);
    ctx.form.setCaption(ctl::Label4, caption);
    if (workbook_close(book) != LXW_NO_ERROR) {
        QFile::remove(partial);
        throw RuntimeError(ErrPathFileAccess);
    }
    QFile::remove(path);
    if (!QFile::rename(partial, path))
        throw RuntimeError(ErrPathFileAccess);
}

void exportFlexGrid(PlaceContext& ctx) {
    const QString caption = ctx.form.caption(ctl::Label4);
    ctx.ui.setBusy(true);
    const bool ok = runProcedure(ctx.ui, Procedure{QStringLiteral("ExportFlexGrid")}, [&] {
        // The folder is removed here unless the spreadsheet program took the
        // workbook; then it stays while that program may read it, and the next
        // start of Kartello removes it (see Staging.h).
        QTemporaryDir folder(stagingTemplate(QStringLiteral("export")));
        if (!folder.isValid())
            throw RuntimeError(ErrPathNotFound);
        QString base = ctx.set.graphBaseName.isEmpty() ? QStringLiteral("places") : ctx.set.graphBaseName;
        base.replace(u'/', u'_').replace(u'\\', u'_');
        const QString path = folder.filePath(base + QStringLiteral(".xlsx"));
        writeWorkbook(ctx, path);
        folder.setAutoRemove(!openOrTell(ctx.ui, path));
    });
    if (!ok)
        ctx.form.setCaption(ctl::Label4, caption);
    ctx.ui.setBusy(false);
}

} // namespace kartello
