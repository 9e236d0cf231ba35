#include "graph/KmlDocument.h"

#include "graph/Scaling.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Ui.h"

#include <QSet>
#include <cctype>
#include <cmath>

namespace kartello {

namespace {

const QString kIconLine =
    QStringLiteral("     <IconStyle><Icon><href>root://icons/palette-2.png</href><x>224</x><y>224</y>"
                   "<w>32</w><h>32</h></Icon></IconStyle>");

// The first tuple of a coordinate text, without the blanks before it.
QString firstTuple(QByteArrayView coords) {
    qsizetype from = 0;
    while (from < coords.size() && std::isspace(static_cast<unsigned char>(coords[from])))
        ++from;
    const qsizetype blank = coords.indexOf(' ', from);
    return QString::fromUtf8(coords.sliced(from, (blank < 0 ? coords.size() : blank) - from));
}

class Writer {
public:
    Writer(const DocumentInput& in, Ui& ui) : in_(in), o_(in.options), st_(in.state), ui_(ui) {}

    KmlText run() {
        out_.reserve(expectedSize());
        head();
        if (o_.nothing) {
            onlySaveFolder();
        } else {
            graphFolder();
            // A set on one point has no grid step, and so no grid.
            if (o_.grid && !in_.meridians.isEmpty())
                gridPlacemark();
        }
        const bool title = o_.showTitle;
        if (title)
            titleOverlay();
        if (o_.showScale)
            scaleOverlay(title);
        if (o_.labels != LabelKind::Nothing)
            labelsFolder();
        out_.line("</Document>");
        out_.line("</kml>");
        return std::move(out_);
    }

private:
    void add(const QString& line) { out_.line(line); }

    // Room for the whole document at once, so that it never grows by copying:
    // each place's ring, its polygon and label lines (a little over 650
    // bytes) and its name twice.
    qsizetype expectedSize() const {
        qsizetype size = 64 * 1024 + in_.pointRingBytes;
        for (int i = 0; i < int(in_.places.count()); ++i)
            size += 700 + 2 * in_.places.at(i, ColName).toText().size();
        for (const QByteArray& ring : st_.placeCoords)
            size += ring.size();
        return size;
    }

    void head() {
        const Camera& c = st_.camera;
        out_.line("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        out_.line("<kml xmlns=\"http://www.opengis.net/kml/2.2\">");
        out_.line("<!-- Processed by Kartello 2.2.1 -->");
        out_.line("<Document>");
        out_.slotLine(KmlSlot::Name, kNamePlaceholder);
        out_.line("  <open>1</open>");
        out_.line("  <LookAt>");
        add(QStringLiteral("    <longitude>") + c.longitude + QStringLiteral("</longitude>"));
        add(QStringLiteral("    <latitude>") + c.latitude + QStringLiteral("</latitude>"));
        // The schema's order: heading, tilt, range.
        add(QStringLiteral("    <heading>") + QString::number(c.heading) + QStringLiteral("</heading>"));
        add(QStringLiteral("    <tilt>") + QString::number(c.tilt) + QStringLiteral("</tilt>"));
        add(QStringLiteral("    <range>") + numberText(c.range) + QStringLiteral("</range>"));
        out_.line("  </LookAt>");
        sharedStyles();
        if (o_.labels != LabelKind::Nothing)
            labelStyle();
    }

    // One Style per distinct fill colour, which the polygons reference by
    // styleUrl instead of repeating it inline.
    void sharedStyles() {
        QSet<QString> seen;
        for (int i = 0; i < int(in_.places.count()); ++i) {
            if (!drawn(i))
                continue;
            const QString color = colorOf(i);
            if (seen.contains(color))
                continue;
            seen.insert(color);
            add(QStringLiteral("  <Style id=\"") + styleId(color) + QStringLiteral("\">"));
            add(kIconLine);
            if (o_.outline || o_.nothing)
                lineStyle();
            out_.line("       <PolyStyle>");
            add(QStringLiteral("         <color>") + color + QStringLiteral("</color>"));
            add(QStringLiteral("         <outline>") + outlineFlag() + QStringLiteral("</outline>"));
            out_.line("       </PolyStyle>");
            out_.line("  </Style>");
        }
    }

    static constexpr char kStyleIdPrefix[] = "fill_";
    static QString styleId(const QString& color) { return QLatin1String(kStyleIdPrefix) + color; }

    // Whether place i gets a placemark in the graph (or only-save) folder.
    bool drawn(int i) const {
        if (isHole(i))
            return false;
        if (o_.nothing)
            return !in_.places.at(i, ColLatitude).isEmpty();
        return hasRing(i);
    }

    bool hasRing(int i) const {
        if (in_.pointRing)
            return !in_.places.at(i, ColLatitude).isEmpty();
        return i < int(st_.placeCoords.size()) && !st_.placeCoords[i].isEmpty();
    }

    // The ring text of place i; a point ring's is valid until the next call.
    QByteArrayView ringOf(int i) const {
        if (in_.pointRing)
            return in_.pointRing(i);
        return i < int(st_.placeCoords.size()) ? QByteArrayView(st_.placeCoords[i]) : QByteArrayView();
    }

    // The placemark's name, its shared style and its value as data that GIS
    // readers show as fields.
    void placemarkHead(int i) {
        const auto& row = in_.places.store.row(i).cells;
        out_.line("<Placemark>");
        out_ << " <name>" << xmlSafe(row[ColName].toText());
        out_.line("</name>");
        timeStamp(i);
        out_ << " <styleUrl>#" << kStyleIdPrefix << colorOf(i);
        out_.line("</styleUrl>");
        double value = row[ColValue].toNumber();
        if (st_.valuesShifted)
            value = value - std::fabs(double(st_.rawValueMin)) - 1;
        out_ << " <ExtendedData><Data name=\"value\"><value>";
        appendNumberText(out_.buffer(), value);
        out_.line("</value></Data></ExtendedData>");
    }

    // A place's time, where the schema wants it: after the name and before
    // the style, so that the viewer's time slider shows the place then.
    void timeStamp(int i) {
        const QString when = timeOf(i);
        if (when.isEmpty())
            return;
        out_ << " <TimeStamp><when>" << when;
        out_.line("</when></TimeStamp>");
    }

    QString timeOf(int i) const { return i < int(st_.placeTimes.size()) ? st_.placeTimes[i] : QString(); }

    QString outlineFlag() const { return o_.outline ? QStringLiteral("1") : QStringLiteral("0"); }

    QString colorOf(int i) const { return i < int(st_.placeColors.size()) ? st_.placeColors[i] : QString(); }

    void lineStyle() {
        out_.line("      <LineStyle>");
        add(QStringLiteral("         <color>") + st_.swatches.outline + QStringLiteral("</color>"));
        out_.line("      </LineStyle>");
    }

    bool isHole(int i) const { return i < int(in_.holeOf.size()) && in_.holeOf[i] >= 0; }

    void boundary(QByteArrayView coords, bool outer) {
        out_.line(outer ? "    <outerBoundaryIs>" : "    <innerBoundaryIs>");
        out_.line("      <LinearRing>");
        out_.line("       <coordinates>");
        out_.line(coords);
        if (!coords.contains("</coordinates>"))
            out_.line("       </coordinates>");
        out_.line("      </LinearRing>");
        out_.line(outer ? "   </outerBoundaryIs>" : "   </innerBoundaryIs>");
    }

    // The polygon of ring i with the holes of its shape as inner boundaries;
    // coordsOf gives the text of any ring, `coords` that of ring i.
    template <typename CoordsOf>
    void ringLines(int i, QByteArrayView coords, const CoordsOf& coordsOf, bool flat) {
        out_.line(" <Polygon>");
        if (flat) {
            out_.line("    <extrude>0</extrude>");
            out_.line("    <altitudeMode>clampedToGround</altitudeMode>");
        } else {
            out_.line("    <extrude>1</extrude>");
            out_.line("    <altitudeMode>relativeToGround</altitudeMode>");
        }
        boundary(coords, true);
        for (int k = i + 1; k < int(in_.holeOf.size()) && in_.holeOf[k] >= i; ++k)
            if (in_.holeOf[k] == i && !coordsOf(k).isEmpty())
                boundary(coordsOf(k), false);
        out_.line(" </Polygon>");
        out_.line("</Placemark>");
    }

    // Coordinates whose first corner has no altitude cannot be read.
    bool firstAltitudeIsZero(QByteArrayView coords) {
        const QString alt = firstTupleAltitude(firstTuple(coords));
        if (!alt.isNull())
            return readNumber(alt) == 0;
        const MsgAnswer a =
            ui_.messageBox(QStringLiteral("I don't understand the data in your your file.\r\n"
                                          "Proceed ? (Procedure faz: preparing to save)"),
                           QStringLiteral("Kartello Warning"), MsgIcon::Exclamation, MsgButtons::YesNo);
        if (a != MsgAnswer::Yes)
            throw GenerationStopped();
        return true;
    }

    void graphFolder() {
        out_.line("<Folder>");
        out_.line("  <open>0</open>");
        out_.line(" <name>Graph</name>");
        const auto coordsOf = [this](int k) {
            return ringOf(k);
        };
        for (int i = 0; i < int(in_.places.count()); ++i) {
            if (!hasRing(i) || isHole(i))
                continue;
            ui_.yieldToWindow();
            const QByteArrayView coords = ringOf(i);
            const bool flat = firstAltitudeIsZero(coords) || o_.flat;
            placemarkHead(i);
            ringLines(i, coords, coordsOf, flat);
        }
        out_.line("</Folder>");
    }

    // "Only save": every place as a named placemark where it lies, a shape
    // as its rings, a point place as its point.
    void onlySaveFolder() {
        out_.line("<Folder>");
        out_.line("  <open>0</open>");
        out_.line(" <name>Graph</name>");
        const auto ringOf = [this](int k) {
            return in_.places.at(k, ColLatitude).toText().toUtf8();
        };
        for (int i = 0; i < int(in_.places.count()); ++i) {
            ui_.yieldToWindow();
            const auto& row = in_.places.store.row(i).cells;
            if (!drawn(i))
                continue;
            placemarkHead(i);
            if (in_.shapeMode) {
                ringLines(i, ringOf(i), ringOf, true);
                continue;
            }
            out_.line(" <Point>");
            add(QStringLiteral("    <coordinates>") + row[ColLongitude].toText() + QLatin1Char(',') +
                row[ColLatitude].toText() + QStringLiteral(",0</coordinates>"));
            out_.line(" </Point>");
            out_.line("</Placemark>");
        }
        out_.line("</Folder>");
    }

    void gridPlacemark() {
        out_.line("<Placemark>");
        out_.line(" <name>Grids</name>");
        out_.line("   <Style>");
        add(kIconLine);
        out_.line("      <LineStyle>");
        add(QStringLiteral("         <color>") + st_.swatches.grid + QStringLiteral("</color>"));
        out_.line("      </LineStyle>");
        out_.line("   </Style>");
        out_.line("   <MultiGeometry>");
        for (int k = 0; k < 12 && k < in_.meridians.size(); ++k) {
            if (in_.meridians[k].isEmpty())
                continue;
            out_.line("   <LineString>");
            out_.line("     <tessellate>1</tessellate>");
            out_.line("     <coordinates>");
            add(QStringLiteral("      ") + in_.meridians[k]);
            out_.line("    </coordinates>");
            out_.line("   </LineString>");
        }
        for (int k = 0; k < 12 && k < in_.parallels.size(); ++k) {
            if (in_.parallels[k].isEmpty())
                continue;
            out_.line("   <LineString>");
            out_.line("      <tessellate>1</tessellate>");
            out_.line("       <coordinates>");
            add(QStringLiteral("      ") + in_.parallels[k]);
            out_.line("     </coordinates>");
            out_.line("    </LineString>");
        }
        out_.line("</MultiGeometry>");
        out_.line("</Placemark>");
    }

    void titleOverlay() {
        const QString y = o_.titleTop ? QStringLiteral("0.97") : QStringLiteral("0.03");
        out_.line("<ScreenOverlay>");
        out_.line("  <name>Title</name>");
        out_.line("  <Icon>");
        out_.slotLine(KmlSlot::TitleHref, kTitlePlaceholder);
        out_.line("    <viewBoundScale>0.75</viewBoundScale>");
        out_.line("  </Icon>");
        add(QStringLiteral("  <overlayXY x=\"0.02\" y=\"") + y +
            QStringLiteral("\"  xunits= \"fraction\"  yunits= \"fraction\" />"));
        add(QStringLiteral("  <screenXY x=\"0.02\" y=\"") + y +
            QStringLiteral("\" xunits=\"fraction\" yunits=\"fraction\"/>"));
        out_.line("</ScreenOverlay>");
    }

    void scaleOverlay(bool titleWritten) {
        QString y;
        if (titleWritten)
            y = numberText(1 - (o_.titleTop ? 0.97 : 0.03));
        else
            y = o_.scaleTop ? QStringLiteral("0.97") : QStringLiteral("0.03");
        out_.line("<ScreenOverlay>");
        out_.line("  <name>ColorScale</name>");
        out_.line("  <Icon>");
        out_.slotLine(KmlSlot::ScaleHref, kScalePlaceholder);
        out_.line("    <viewBoundScale>0.75</viewBoundScale>");
        out_.line("  </Icon>");
        add(QStringLiteral("  <overlayXY x=\"0.3\" y=\"") + y +
            QStringLiteral("\"  xunits= \"fraction\"  yunits= \"fraction\"/>"));
        add(QStringLiteral("  <screenXY x=\"0.3\" y=\"") + y +
            QStringLiteral("\" xunits=\"fraction\" yunits=\"fraction\"/>"));
        out_.line("</ScreenOverlay>");
    }

    void writeLabelText(const std::array<Cell, 4>& row) {
        const QString name = xmlSafe(row[ColName].toText());
        switch (o_.labels) {
        case LabelKind::Name:
            out_ << name;
            break;
        case LabelKind::Value:
            out_ << labelValueText(row[ColValue].toNumber(), st_, o_.decimalsText);
            break;
        case LabelKind::NameAndValue:
            out_ << name << " - " << labelValueText(row[ColValue].toNumber(), st_, o_.decimalsText);
            break;
        case LabelKind::Nothing:
            break;
        }
    }

    // A label floats a tenth above its polygon.
    void pointPosition(int i) {
        const auto& row = in_.places.store.row(i).cells;
        const long long h = i < int(st_.heights.size()) ? st_.heights[i] : 0;
        out_ << row[ColLongitude].toText() << ',' << row[ColLatitude].toText() << ',';
        appendNumberText(out_.buffer(), checkedFinite(double(h) * 1.1));
    }

    // The one style of every label: its colour and size, and no icon (the
    // palette icon in "only save" mode).
    void labelStyle() {
        out_.line("  <Style id=\"label\">");
        out_.line("   <IconStyle><Icon>");
        if (o_.nothing) {
            out_.line("         <href>root://icons/palette-4.png</href>");
            out_.line("         <x>32</x><y>128</y><w>32</w><h>32</h>");
        }
        out_.line("     </Icon></IconStyle>");
        out_ << "   <LabelStyle><color>" << st_.swatches.label;
        out_.line("</color><scale>0.7</scale></LabelStyle>");
        out_.line("  </Style>");
    }

    void labelsFolder() {
        out_.line(" <Folder>");
        out_.line("  <open>0</open>");
        out_.line(" <name>Names/Values</name>");
        for (int i = 0; i < int(in_.places.count()); ++i) {
            const auto& row = in_.places.store.row(i).cells;
            // An area in several parts, or a place given twice, gets one label;
            // a place at another time gets its own.
            if (i > 0 && row[ColName].toText() == in_.places.at(i - 1, ColName).toText() &&
                timeOf(i) == timeOf(i - 1))
                continue;
            ui_.yieldToWindow();
            out_.line(" <Placemark>");
            out_ << "  <name>";
            writeLabelText(row);
            out_.line("</name>");
            timeStamp(i);
            out_.line("  <styleUrl>#label</styleUrl>");
            out_.line("    <Point>");
            out_.line("      <altitudeMode>relativeToGround</altitudeMode>");
            out_ << "      <coordinates>";
            if (in_.shapeMode && in_.shapeLabelPosition)
                out_ << in_.shapeLabelPosition(i);
            else
                pointPosition(i);
            out_.line("</coordinates>");
            out_.line("    </Point>");
            out_.line("  </Placemark>");
        }
        out_.line(" </Folder>");
    }

    const DocumentInput& in_;
    const GraphOptions& o_;
    const GraphState& st_;
    Ui& ui_;
    KmlText out_;
};

// Characters XML 1.0 allows in a document.
bool xmlChar(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Length of the reference that starts at s[amp] ("&amp;", "&#233;",
// "&#xE9;"), or 0 when what follows the "&" is not one a reader accepts
// without a DTD: one of the five predefined entities, or a character
// reference to a character XML allows.
qsizetype referenceLength(QStringView s, qsizetype amp) {
    // Only the few characters a reference can span are searched, so a name
    // of many "&" is read in one pass.
    const qsizetype semi = s.mid(amp + 1, 12).indexOf(u';');
    if (semi < 0)
        return 0;
    const QStringView body = s.mid(amp + 1, semi);
    for (const char16_t* e : {u"amp", u"lt", u"gt", u"quot", u"apos"})
        if (body == QStringView(e))
            return semi + 2;
    if (body.size() < 2 || body[0] != u'#')
        return 0;
    const bool hex = body[1] == u'x';
    const QStringView digits = body.mid(hex ? 2 : 1);
    if (digits.isEmpty())
        return 0;
    char32_t code = 0;
    for (const QChar c : digits) {
        int v = -1;
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            v = u - u'0';
        else if (hex && u >= u'a' && u <= u'f')
            v = u - u'a' + 10;
        else if (hex && u >= u'A' && u <= u'F')
            v = u - u'A' + 10;
        if (v < 0)
            return 0;
        code = code * (hex ? 16 : 10) + char32_t(v);
        if (code > 0x10FFFF)
            return 0;
    }
    return xmlChar(code) ? semi + 2 : 0;
}

} // namespace

KmlText writeDocument(const DocumentInput& in, Ui& ui) {
    return Writer(in, ui).run();
}

QString firstTupleAltitude(const QString& ring) {
    const QString text = ring.trimmed();
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QStringView tuple = QStringView(text).left(blank < 0 ? text.size() : blank);
    const qsizetype c1 = tuple.indexOf(QLatin1Char(','));
    const qsizetype c2 = c1 < 0 ? -1 : tuple.indexOf(QLatin1Char(','), c1 + 1);
    if (c2 < 0 || c2 + 1 >= tuple.size())
        return QString();
    return tuple.mid(c2 + 1).toString();
}

QString xmlSafe(const QString& text) {
    QString out;
    out.reserve(text.size() + text.size() / 8);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'<') {
            out += QStringLiteral("&lt;");
        } else if (c == u'>') {
            out += QStringLiteral("&gt;");
        } else if (c == u'&') {
            const qsizetype len = referenceLength(text, i);
            if (len == 0) {
                out += QStringLiteral("&amp;");
            } else {
                out += QStringView(text).mid(i, len);
                i += len - 1;
            }
        } else if (c.isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (xmlChar(c.unicode()) && !c.isSurrogate()) {
            out += c;
        }
        // Anything else (control characters, lone surrogates, U+FFFE and
        // U+FFFF) has no place in an XML document and is dropped.
    }
    return out;
}

QString labelValueText(double value, const GraphState& st, const QString& decimalsText) {
    double x = value;
    if (st.valuesShifted)
        x = x - std::fabs(double(st.rawValueMin)) - 1;
    const double d = roundHalfEven(readNumber(decimalsText));
    return numberText(roundDecimals(x, int(std::clamp(d, 0.0, 15.0))));
}

} // namespace kartello
