#include "graph/Shapes.h"

#include "graph/Generator.h"
#include "graph/KmlDocument.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"
#include "runtime/Ui.h"

namespace kartello {

namespace {

QString ringText(const QString& raw) {
    QString text = raw.trimmed();
    const qsizetype cut = text.indexOf(QStringLiteral("</coordinates>"));
    if (cut >= 0)
        text.truncate(cut);
    return text;
}

double tableValue(const ShapeHooks& hooks, int shapeNumber) {
    if (shapeNumber < 1 || shapeNumber > hooks.tableValues.size())
        throw RuntimeError(ErrSubscript);
    return readNumber(hooks.tableValues[shapeNumber - 1]);
}

struct Vertex {
    double lon, lat;
};

std::vector<Vertex> vertices(const QString& ring) {
    std::vector<Vertex> out;
    for (const QStringView tuple : QStringView(ring).split(u' ', Qt::SkipEmptyParts)) {
        const qsizetype c1 = tuple.indexOf(u',');
        if (c1 < 0 || tuple.startsWith(u'<'))
            continue;
        const qsizetype c2 = tuple.indexOf(u',', c1 + 1);
        out.push_back({readNumber(tuple.left(c1)), readNumber(tuple.mid(c1 + 1, c2 < 0 ? -1 : c2 - c1 - 1))});
    }
    return out;
}

// Even-odd rule: a ray to the east crosses the ring's edges an odd number
// of times from a point inside.
bool inside(const Vertex& p, const std::vector<Vertex>& ring) {
    bool in = false;
    for (size_t k = 0, j = ring.size() - 1; k < ring.size(); j = k++) {
        const Vertex& a = ring[k];
        const Vertex& b = ring[j];
        if ((a.lat > p.lat) != (b.lat > p.lat) &&
            p.lon < (b.lon - a.lon) * (p.lat - a.lat) / (b.lat - a.lat) + a.lon)
            in = !in;
    }
    return in;
}

} // namespace

std::vector<int> holeOwners(const PlaceRange& rings) {
    std::vector<int> owner(size_t(std::max(0, rings.count())), -1);
    std::vector<std::pair<int, std::vector<Vertex>>> outers; // of the current shape
    for (int i = 0; i < rings.count(); ++i) {
        if (i == 0 || rings.at(i, ColName).toText() != rings.at(i - 1, ColName).toText())
            outers.clear();
        std::vector<Vertex> v = vertices(rings.at(i, ColLatitude).toText());
        for (const auto& [index, outer] : outers)
            if (!v.empty() && outer.size() >= 3 && inside(v.front(), outer)) {
                owner[size_t(i)] = index;
                break;
            }
        if (owner[size_t(i)] < 0)
            outers.emplace_back(i, std::move(v));
    }
    return owner;
}

double signedAreaSum(const std::vector<double>& lon, const std::vector<double>& lat) {
    double s = 0;
    for (size_t k = 1; k < lon.size(); ++k)
        s += lon[k - 1] * lat[k] - lat[k - 1] * lon[k];
    return s;
}

void MontaShape(PlaceRange& rings, GraphState& st, const ShapeHooks& hooks, Ui& ui, const ErrorSink& sink) {
    st.lonMin = 100000;
    st.latMin = 10000;
    st.latMax = -100000;
    st.lonMax = -100000;
    st.valueMax = -1e10;
    st.valueMin = 1e10;
    const Procedure procedure{
        QStringLiteral("MontaShape"),
        QStringLiteral(". It seems there is a problem with the data. Review your input file.")};
    runProcedure(sink, procedure, [&] {
        int shapeNumber = 1;
        double value = tableValue(hooks, 1);
        for (int i = 0; i < int(rings.count()); ++i) {
            ui.yieldToWindow();
            auto& row = rings.store.row(i).cells;
            const QString text = ringText(row[ColLatitude].toText());
            if (i > 0 && row[ColName].toText() != rings.at(i - 1, ColName).toText())
                value = tableValue(hooks, ++shapeNumber);
            row[ColValue] = Cell(value);
            st.valueMin = std::min(st.valueMin, value);
            st.valueMax = std::max(st.valueMax, value);

            std::vector<double> lon, lat;
            float boxLatMin = 10000, boxLatMax = -100000, boxLonMin = 100000, boxLonMax = -100000;
            for (const QString& tuple : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const double x = readNumber(hooks.lonField(tuple));
                const double y = readNumber(hooks.latField(tuple));
                lon.push_back(x);
                lat.push_back(y);
                boxLonMin = std::min(boxLonMin, float(x));
                boxLonMax = std::max(boxLonMax, float(x));
                boxLatMin = std::min(boxLatMin, float(y));
                boxLatMax = std::max(boxLatMax, float(y));
            }
            st.lonMin = std::min(st.lonMin, double(boxLonMin));
            st.lonMax = std::max(st.lonMax, double(boxLonMax));
            st.latMin = std::min(st.latMin, double(boxLatMin));
            st.latMax = std::max(st.latMax, double(boxLatMax));

            if (signedAreaSum(lon, lat) < 0) {
                QString reversed;
                for (size_t k = lon.size(); k-- > 0;)
                    reversed +=
                        numberText(lon[k]) + QLatin1Char(',') + numberText(lat[k]) + QStringLiteral(",0 ");
                row[ColLatitude] = Cell(reversed);
            }
        }
    });
    st.rawValueMin = float(st.valueMin);
    st.rawValueMax = float(st.valueMax);
}

QString raiseRing(const QString& ring, long long h, Ui& ui) {
    const QString alt = firstTupleAltitude(ring);
    QString old;
    if (alt.isNull()) {
        const MsgAnswer a =
            ui.messageBox(QStringLiteral("I don't understand the data in your your file.\r\n"
                                         "Proceed ? (Procedure faz: calcula alturas)"),
                          QStringLiteral("Kartello Warning"), MsgIcon::Exclamation, MsgButtons::YesNo);
        if (a != MsgAnswer::Yes)
            throw GenerationStopped();
        old = QStringLiteral(",0 ");
    } else {
        old = QLatin1Char(',') + alt + QLatin1Char(' ');
    }
    QString out = ring;
    out.replace(old, QLatin1Char(',') + numberText(double(h)) + QLatin1Char(' '));
    return out;
}

} // namespace kartello
