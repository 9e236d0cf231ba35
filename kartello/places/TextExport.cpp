#include "places/TextExport.h"

#include "places/PlaceTable.h"
#include "runtime/AtomicFile.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/TextCodec.h"

namespace kartello {

namespace {

// A number cell keeps its number; a text cell has its "," made "." (in the
// store as well, so the set shows what was saved).
QString numberField(Cell& cell) {
    if (!cell.isText())
        return cell.toText();
    QString text = cell.toText();
    if (text.contains(u',')) {
        text.replace(u',', u'.');
        cell = Cell(text);
    }
    return text;
}

void appendLine(QByteArray& out, const QString& line) {
    out += utf8Encode(line);
    out += "\r\n";
}

void placeLines(PlaceContext& ctx, QByteArray& out) {
    PlaceStore& store = ctx.set.placeData;
    for (int i = 0; i <= ctx.set.lastPlace; ++i) {
        ctx.ui.yieldToWindow();
        const QString lat = numberField(store.at(i, ColLatitude));
        const QString lon = numberField(store.at(i, ColLongitude));
        const QString value = numberField(store.at(i, ColValue));
        appendLine(out, quotedName(store.at(i, ColName).toText()) + u',' + lat + u',' + lon + u',' + value);
    }
}

// Shape k takes its value from table row k; further rings of a shape share it.
void shapeLines(PlaceContext& ctx, QByteArray& out) {
    const PlaceStore& store = ctx.set.placeData;
    appendLine(out, QStringLiteral("[ShapeFile]"));
    int k = 0;
    QString value;
    for (int i = 0; i <= ctx.set.lastPlace; ++i) {
        ctx.ui.yieldToWindow();
        const QString name = store.at(i, ColName).toText();
        if (i == 0 || name != store.at(i - 1, ColName).toText()) {
            ++k;
            value = k < ctx.grid.Rows() ? ctx.grid.TextMatrix(k, 3) : QString();
        }
        appendLine(out, name);
        appendLine(out, store.at(i, ColLatitude).toText());
        appendLine(out, value);
    }
}

} // namespace

QString quotedName(const QString& name) {
    const bool needsQuotes = name.contains(u',') || name.contains(u'\r') || name.contains(u'\n') ||
                             name.startsWith(u'"') || name != name.trimmed();
    if (!needsQuotes)
        return name;
    // A double quote cannot stand inside a quoted field of this format.
    QString inner = name;
    inner.replace(u'"', u'\'');
    return u'"' + inner + u'"';
}

QByteArray placeFileText(PlaceContext& ctx) {
    QByteArray out;
    if (ctx.set.shapeMode)
        shapeLines(ctx, out);
    else
        placeLines(ctx, out);
    return out;
}

void guardaCSV(PlaceContext& ctx) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("guardaCSV")}, [&] {
        const std::optional<QString> path = ctx.ui.saveFileDialog(
            QStringLiteral("Open"), QStringLiteral("txt(*.txt)|*.txt|All files(*.*)|*.*|"),
            QStringLiteral("*.txt"), ctx.set.graphBaseName + QStringLiteral(".txt"));
        if (!path || path->isEmpty())
            return;
        ctx.set.currentFile = *path;
        const QByteArray text = placeFileText(ctx);
        writeFileAtomically(*path, text);
    });
}

void menuSaveTxt(PlaceContext& ctx) {
    if (!ctx.set.dataLoaded) {
        ctx.ui.messageBox(QStringLiteral("Please open a txt or kml file"), QStringLiteral("Warning"),
                          MsgIcon::Exclamation);
        return;
    }
    guardaCSV(ctx);
}

} // namespace kartello
