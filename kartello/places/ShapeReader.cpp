#include "places/ShapeReader.h"
#include "form/ControlNames.h"

#include "places/PlaceTable.h"
#include "places/TextReader.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"

namespace kartello {

namespace {

// Splits text into lines at CR LF, LF or CR.
class LineReader {
public:
    explicit LineReader(QStringView text) : t_(text), end_(text.size()) {
        while (end_ > 0 && t_[end_ - 1].isSpace())
            --end_;
    }
    // Only blanks are left: found in one step, however many blank lines and
    // trailing blanks the file has.
    bool atEnd() const { return pos_ >= end_; }
    bool next(QString& line) {
        if (pos_ >= t_.size())
            return false;
        qsizetype p = pos_;
        while (p < t_.size() && t_[p] != u'\r' && t_[p] != u'\n')
            ++p;
        line = t_.mid(pos_, p - pos_).toString();
        pos_ = p;
        if (pos_ < t_.size()) {
            if (t_[pos_] == u'\r' && pos_ + 1 < t_.size() && t_[pos_ + 1] == u'\n')
                ++pos_;
            ++pos_;
        }
        return true;
    }
    // Drops the first field (up to a comma or the line end).
    void skipField() {
        while (pos_ < t_.size() && t_[pos_] != u',' && t_[pos_] != u'\r' && t_[pos_] != u'\n')
            ++pos_;
        if (pos_ < t_.size() && t_[pos_] == u',') {
            ++pos_;
            return;
        }
        QString rest;
        next(rest);
    }

private:
    QStringView t_;
    qsizetype pos_ = 0;
    qsizetype end_; // just after the last character that is not a blank
};

struct Vertex {
    bool present = false;
    double lat = 0, lon = 0;
};

Vertex firstVertex(const QString& s) {
    Vertex v;
    if (s.trimmed().isEmpty())
        return v;
    v.present = true;
    v.lat = readNumber(parseLinha7(s, u"lat"));
    v.lon = readNumber(parseLinha7(s, u"lon"));
    return v;
}

Vertex midpoint(const Vertex& a, const Vertex& b) {
    Vertex m;
    m.present = true;
    m.lat = a.lat + (b.lat - a.lat) / 2;
    m.lon = a.lon + (b.lon - a.lon) / 2;
    return m;
}

// Table of one row per shape: rings that follow a ring of the same name belong to it.
int fillShapeTable(PlaceContext& ctx) {
    const PlaceSet& set = ctx.set;
    ctx.grid.Clear();
    formataGrid(ctx.grid);
    ctx.form.setCaption(ctl::lblProg, QStringLiteral("0"));
    ctx.grid.setRows(2);
    int k = 0;
    for (int i = 0; i <= set.lastPlace; ++i) {
        ctx.ui.yieldToWindow();
        const QString name = set.placeData.at(i, ColName).toText();
        if (i > 0 && name == set.placeData.at(i - 1, ColName).toText())
            continue;
        ++k;
        ctx.grid.setRows(ctx.grid.Rows() + 1);
        ctx.grid.setTextMatrix(k, 0, QStringLiteral("Shape"));
        ctx.grid.setTextMatrix(k, 1, QStringLiteral("Shape"));
        ctx.grid.setTextMatrix(k, 2, name);
        ctx.grid.setTextMatrix(k, 3, set.placeData.at(i, ColValue).toText());
    }
    fitColumns(ctx.grid);
    return k;
}

void storeRings(PlaceSet& set, const std::vector<Ring>& rings) {
    for (size_t i = 0; i < rings.size(); ++i) {
        PlaceRow& row = set.placeData.row(static_cast<int>(i));
        row.cells = {Cell(rings[i].coordinates), Cell(QString()), Cell(rings[i].value), Cell(rings[i].name)};
        row.backupRow = -1;
    }
    set.lastPlace = static_cast<int>(rings.size()) - 1;
    set.shapeMode = true;
}

} // namespace

QString ringCoordinates(QStringView text) {
    QString out;
    out.reserve(text.size() + 8);
    qsizetype tupleStart = 0;
    qsizetype commas = 0;
    bool pendingBlank = false;
    const auto endTuple = [&] {
        if (out.size() == tupleStart)
            return;
        if (commas == 1)
            out += QStringLiteral(",0");
        out += u' ';
        tupleStart = out.size();
        commas = 0;
    };
    for (const QChar c : text) {
        if (c.isSpace()) {
            pendingBlank = true;
            continue;
        }
        const bool besideComma = c == u',' || (out.size() > tupleStart && out.back() == u',');
        if (pendingBlank && !besideComma)
            endTuple();
        pendingBlank = false;
        if (c == u',')
            ++commas;
        out += c;
    }
    endTuple();
    return out;
}

QString parseLinha7(const QString& line, QStringView kind) {
    if (line.isEmpty())
        return QString();
    if (kind == u"lat") {
        const qsizetype c1 = line.indexOf(u',');
        const qsizetype c2 = c1 < 0 ? -1 : line.indexOf(u',', c1 + 1);
        if (c2 < 0)
            return line;
        return formatPicture(readNumber(QStringView(line).mid(c1 + 1, c2 - c1 - 1)), u"###.000000");
    }
    if (kind == u"lon") {
        const qsizetype c1 = line.indexOf(u',');
        if (c1 < 0)
            return line;
        return formatPicture(readNumber(QStringView(line).left(c1)), u"###.000000");
    }
    if (kind == u"alt") {
        const QString alt =
            formatPicture(readNumber(QStringView(line).mid(line.lastIndexOf(u',') + 1)), u"#");
        return alt.isEmpty() ? QStringLiteral("0") : alt;
    }
    return QString();
}

ShapeTextParse parseShapeText(QStringView text) {
    ShapeTextParse result;
    LineReader reader(text);
    reader.skipField();
    while (!reader.atEnd()) {
        Ring ring;
        reader.next(ring.name);
        if (ring.name.contains(u"[Options]"))
            return result;
        QString coordinates;
        if (!reader.next(coordinates) || !reader.next(ring.value)) {
            result.outcome = ShapeTextParse::Truncated;
            return result;
        }
        ring.coordinates = ringCoordinates(coordinates);
        result.rings.push_back(std::move(ring));
        if (static_cast<int>(result.rings.size()) > kMaxTextPlaces) {
            result.outcome = ShapeTextParse::TooLarge;
            result.rings.clear();
            return result;
        }
    }
    return result;
}

void carregaTxtPolygon(PlaceContext& ctx, QStringView text) {
    runProcedure(ctx.ui, Procedure{QStringLiteral("CarregaTxtPolygon")}, [&] {
        const ShapeTextParse parsed = parseShapeText(text);
        if (parsed.outcome == ShapeTextParse::TooLarge) {
            ctx.ui.messageBox(
                QStringLiteral(
                    "Sorry, the file is too large (> 5000 lines). You can split it in smaller parts."),
                QStringLiteral("Kartello"), MsgIcon::Critical);
            return;
        }
        if (parsed.outcome == ShapeTextParse::Truncated)
            throw RuntimeError(ErrInputPastEnd);
        if (parsed.rings.size() < 2) {
            ctx.ui.messageBox(
                QStringLiteral("Invalid File. Create a folder in GE and put there at least two "
                               "placemarks. Save the folder as KML file and load it with Kartello."),
                QStringLiteral("Kartello"), MsgIcon::Critical);
            return;
        }
        PlaceSet& set = ctx.set;
        storeRings(set, parsed.rings);
        set.graphBaseName = parseArq(set.currentFile);
        fillShapeTable(ctx);
        ctx.form.setCaption(ctl::Label4, QStringLiteral("Current file: ") + set.currentFile);
        constR(ctx);
        set.dataLoaded = true;
        ctx.form.setVisible(ctl::lblNPlaces, true);
        ctx.form.setVisible(ctl::chkOpen, true);
        ctx.form.setCaption(ctl::lblProg, QString());
        ctx.form.showPolygon();
        // The count includes the table's empty last row, as the window always showed it.
        ctx.form.setCaption(ctl::lblNPlaces,
                            ctx.form.caption(ctl::lblNPlaces) + QStringLiteral(" polygons - ") +
                                QString::number(ctx.grid.Rows() - 1) + QStringLiteral(" places"));
    });
}

void carregaPoligono(PlaceContext& ctx, const std::vector<Ring>& rings, const QString& documentBase) {
    Procedure procedure{QStringLiteral("CarregaPoligono")};
    procedure.text = [](const RuntimeError& e) {
        return QStringLiteral("Sorry, I don't understand your shape data. ") +
               errorMessage(e, QStringLiteral("CarregaPoligono"));
    };
    runProcedure(ctx.ui, procedure, [&] {
        if (rings.empty())
            throw RuntimeError(ErrNotUnderstood, QString());
        if (static_cast<int>(rings.size()) > PlaceStore::kRows)
            throw RuntimeError(ErrSubscript);
        PlaceSet& set = ctx.set;
        storeRings(set, rings);
        set.graphBaseName =
            documentBase.isEmpty() ? parseArq(set.currentFile) + QStringLiteral("-ShapeGraph") : documentBase;
        const int shapes = fillShapeTable(ctx);
        ctx.grid.setRows(ctx.grid.Rows() - 1);
        ctx.form.setCaption(ctl::Label4, QStringLiteral("Current file: ") + set.currentFile);
        set.dataLoaded = true;
        ctx.form.setVisible(ctl::lblNPlaces, true);
        ctx.form.setVisible(ctl::chkOpen, true);
        ctx.form.showPolygon();
        ctx.form.setCaption(ctl::lblNPlaces, QString::number(set.lastPlace + 1) +
                                                 QStringLiteral(" polygons - ") + QString::number(shapes) +
                                                 QStringLiteral(" places"));
        ctx.form.setCaption(ctl::lblProg, QString());
    });
}

ShapeBounds maxMinPoly(PlaceContext& ctx) {
    ShapeBounds b;
    b.latMax = -100000;
    b.lonMax = -100000;
    b.latMin = 10000;
    b.lonMin = 100000;
    b.valueMax = -1e10;
    b.valueMin = 1e10;
    PlaceStore& store = ctx.set.placeData;
    store.at(0, ColValue) = Cell(readNumber(ctx.grid.TextMatrix(1, 3)));
    int k = 2;
    for (int i = 0; i <= ctx.set.lastPlace; ++i) {
        const QString ring = store.at(i, ColLatitude).toText();
        const double lat = readNumber(parseLinha7(ring, u"lat"));
        const double lon = readNumber(parseLinha7(ring, u"lon"));
        b.latMax = std::max(b.latMax, lat);
        b.latMin = std::min(b.latMin, lat);
        b.lonMax = std::max(b.lonMax, lon);
        b.lonMin = std::min(b.lonMin, lon);
        if (i > 0) {
            if (store.at(i, ColName).toText() == store.at(i - 1, ColName).toText()) {
                store.at(i, ColValue) = store.at(i - 1, ColValue);
            } else {
                store.at(i, ColValue) = Cell(readNumber(ctx.grid.TextMatrix(k, 3)));
                ++k;
            }
        }
        const double v = store.at(i, ColValue).toNumber();
        b.valueMax = std::max(b.valueMax, v);
        b.valueMin = std::min(b.valueMin, v);
    }
    b.rawValueMax = static_cast<float>(b.valueMax);
    b.rawValueMin = static_cast<float>(b.valueMin);
    return b;
}

QString pontoMedioShape(const QString& ring, const QString& altitudeSource) {
    QString s = ring;
    // At least one character forward, so that a very short ring cannot stall.
    const qsizetype q = std::max<qsizetype>(1, toWhole(s.size() / 4.0));
    const Vertex p0 = firstVertex(s);
    Vertex p[3];
    for (Vertex& v : p) {
        s = s.mid(q - 1);
        const qsizetype blank = s.indexOf(u' ');
        s = blank < 0 ? QString() : s.mid(blank + 1);
        v = firstVertex(s);
    }
    Vertex centre;
    if (p[0].present && p[1].present && p[2].present)
        centre = midpoint(midpoint(p0, p[1]), midpoint(p[0], p[2]));
    else if (p[1].present)
        centre = midpoint(midpoint(p0, p[0]), midpoint(p[0], p[1]));
    else if (p[0].present)
        centre = midpoint(p0, p[0]);
    else
        centre = p0; // a ring of one vertex is its own centre
    return numberText(centre.lon) + u',' + numberText(centre.lat) + u',' +
           parseLinha7(altitudeSource, u"alt") + u' ';
}

} // namespace kartello
