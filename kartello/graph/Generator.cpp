#include "graph/Generator.h"

#include "graph/ArcSinLink.h"
#include "graph/Geometry.h"
#include "graph/KmlDocument.h"
#include "graph/Overlays.h"
#include "graph/RingsAhead.h"
#include "graph/Scaling.h"
#include "graph/Shapes.h"
#include "graph/TimeStamp.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"
#include "runtime/Ui.h"

#include <cmath>
#include <limits>
#include <optional>

namespace kartello {

namespace {

// A single-precision number as its own short text ("0.1", not the digits of
// its double widening).
QString singleText(float v) {
    return numberText(QString::number(v, 'g', 7).toDouble());
}

long long wholeMetres(double v) {
    const double f = intFloor(checkedFinite(v));
    if (f < std::numeric_limits<int>::min() || f > std::numeric_limits<int>::max())
        throw RuntimeError(ErrOverflow);
    return static_cast<long long>(f);
}

// Where a place's value sits in the scale, and its clamped transformed value.
struct ScalePoint {
    double t, lo, hi;
};

class Generation {
public:
    explicit Generation(GraphRun& r)
        : r_(r), o_(r.options), st_(r.state), places_(r.places), sink_([&ui = r.ui](const QString& m) {
              ui.messageBox(m, QStringLiteral("Kartello"), MsgIcon::None);
          }) {}

    void run() {
        refuseEmptySet();
        calcColors();
        if (r_.shapeMode) {
            if (o_.fixShapes)
                MontaShape(places_, st_, *r_.shapes, r_.ui, sink_);
            else
                takeShapeBounds(r_.shapes->boxAndRange());
            shapeBox();
        } else {
            valueRangeAndBox();
        }
        shiftNegativeValues();
        colorScaleRange();
        valueClasses();
        const size_t n = places_.count();
        st_.placeColors.assign(n, QString());
        st_.heights.assign(n, 0);
        st_.placeCoords.assign(n, QByteArray());
        st_.radii.assign(n, 0);
        placeTimes();
        QStringList meridians, parallels;
        std::optional<RingsAhead> rings;
        if (o_.nothing) {
            cameraRangeAndCentre();
            st_.camera.tilt = 0;
            st_.camera.heading = 0;
            colourPass();
        } else {
            st_.scaleImage = classed() ? ClassLegend(st_.colorScale, shownClasses())
                                       : ColorScale({&st_.colorScale, st_.rawValueMin, st_.rawValueMax,
                                                     o_.logTransform, o_.sqrTransform});
            automaticHeight();
            cameraRangeAndCentre();
            automaticSize();
            placePass();
            // The corners are made from here on, beside the grid, the title
            // and the document.
            if (!r_.shapeMode)
                rings.emplace(places_.count(), [this](int i, QByteArray& out) { makeRing(i, out); });
            if (o_.grid)
                gridLines(meridians, parallels);
            st_.camera.tilt = 0;
            st_.camera.heading = 0;
            if (o_.threeD) {
                st_.camera.range *= 1.3;
                st_.camera.tilt = 63;
                st_.camera.heading = -45;
            }
        }
        if (o_.showTitle)
            st_.titleImage =
                Titulo({o_.title1, o_.title2, o_.titleFont, o_.titleFontColor, o_.titleBackColor});
        DocumentInput doc{o_, st_, places_, r_.shapeMode, {}, 0, meridians, parallels, {}, {}};
        if (rings) {
            doc.pointRing = [this, &rings](int i) {
                return pointRing(*rings, i);
            };
            doc.pointRingBytes = ringBytes_;
        }
        if (r_.shapeMode) {
            doc.holeOf = holeOwners(places_);
            doc.shapeLabelPosition = [this](int i) {
                return shapeLabelPosition(i);
            };
        }
        st_.document = writeDocument(doc, r_.ui);
    }

private:
    int lastPlace() const { return int(places_.count()) - 1; }

    // A filter that keeps nothing leaves no place to draw: every extent
    // would be the start values of the range search.
    void refuseEmptySet() {
        for (int i = 0; i < places_.count(); ++i)
            if (!places_.at(i, ColLatitude).isEmpty())
                return;
        r_.ui.messageBox(QStringLiteral("There are no places to graph. Open a file or remove the filter."),
                         QStringLiteral("Kartello"), MsgIcon::Exclamation);
        throw GenerationStopped();
    }

    void calcColors() {
        if (o_.colorScaleChoice > 0)
            InicolorScale(o_.colorScaleChoice, st_.colorScale);
        st_.swatches = swatchColors(o_.gridColor, o_.labelColor, o_.fillColor, o_.outlineColor);
    }

    void valueRangeAndBox() {
        st_.lonMin = 100000;
        st_.latMin = 10000;
        st_.latMax = -100000;
        st_.lonMax = -100000;
        st_.valueMax = -1e10;
        st_.valueMin = 1e10;
        std::vector<double> longitudes;
        longitudes.reserve(places_.count());
        for (int i = 0; i < places_.count(); ++i) {
            const auto& row = places_.store.row(i).cells;
            const double v = row[ColValue].toNumber();
            const double lat = row[ColLatitude].toNumber();
            st_.valueMax = std::max(st_.valueMax, v);
            st_.valueMin = std::min(st_.valueMin, v);
            st_.latMax = std::max(st_.latMax, lat);
            st_.latMin = std::min(st_.latMin, lat);
            longitudes.push_back(row[ColLongitude].toNumber());
        }
        takeLongitudes(std::move(longitudes));
        st_.rawValueMin = float(st_.valueMin);
        st_.rawValueMax = float(st_.valueMax);
    }

    // The east-west extent on the shorter arc, so that a set across the date
    // line gets its camera and grid there and not round the other side.
    void takeLongitudes(std::vector<double> longitudes) {
        const LongitudeSpan span = shorterArcSpan(std::move(longitudes));
        st_.lonMin = span.west;
        st_.lonMax = span.east;
    }

    // The box of a shape set from every vertex of every ring, not only the
    // first one of each.
    void shapeBox() {
        std::vector<double> longitudes;
        st_.latMin = 10000;
        st_.latMax = -100000;
        for (int i = 0; i < places_.count(); ++i) {
            const QString ring = places_.at(i, ColLatitude).toText();
            for (const QStringView tuple : QStringView(ring).split(u' ', Qt::SkipEmptyParts)) {
                const qsizetype c1 = tuple.indexOf(u',');
                if (c1 < 0 || tuple.startsWith(u'<'))
                    continue;
                const qsizetype c2 = tuple.indexOf(u',', c1 + 1);
                const double lat = readNumber(tuple.mid(c1 + 1, c2 < 0 ? -1 : c2 - c1 - 1));
                longitudes.push_back(readNumber(tuple.left(c1)));
                st_.latMin = std::min(st_.latMin, lat);
                st_.latMax = std::max(st_.latMax, lat);
            }
        }
        if (!longitudes.empty())
            takeLongitudes(std::move(longitudes));
    }

    void shiftNegativeValues() {
        st_.valuesShifted = false;
        if (!(st_.valueMin < 0))
            return;
        if (o_.logTransform || o_.sqrTransform) {
            const MsgAnswer a = r_.ui.messageBox(
                QStringLiteral("Sorry, no log or square root transform for negative value.\r\n"
                               "Proceed ?"),
                QStringLiteral("Warning"), MsgIcon::Exclamation, MsgButtons::YesNo);
            if (a != MsgAnswer::Yes)
                throw GenerationStopped();
            o_.logTransform = false;
            o_.sqrTransform = false;
        }
        const double shift = std::fabs(st_.valueMin) + 1;
        for (int i = 0; i < places_.count(); ++i)
            places_.at(i, ColValue) = Cell(places_.at(i, ColValue).toNumber() + shift);
        st_.valueMax = std::fabs(st_.valueMin) + st_.valueMax + 1;
        st_.valueMin = std::fabs(st_.valueMin) + st_.valueMin + 1;
        st_.valuesShifted = true;
    }

    void colorScaleRange() {
        if (o_.autoColorScale) {
            o_.scaleMinText = singleText(st_.rawValueMin);
            o_.scaleMaxText = singleText(st_.rawValueMax);
            return;
        }
        if (isNumber(o_.scaleMinText))
            st_.valueMin = readNumber(o_.scaleMinText);
        if (isNumber(o_.scaleMaxText))
            st_.valueMax = readNumber(o_.scaleMaxText);
    }

    bool classed() const { return st_.classes.count() > 0; }

    // The classes of the values as stored (after any shift), one value per
    // place drawn: a shape in several rings counts once.
    void valueClasses() {
        std::vector<double> values;
        for (int i = 0; i < places_.count(); ++i) {
            const auto& row = places_.store.row(i).cells;
            if (row[ColLatitude].isEmpty())
                continue;
            if (r_.shapeMode && i > 0 && row[ColName].toText() == places_.at(i - 1, ColName).toText())
                continue;
            values.push_back(row[ColValue].toNumber());
        }
        st_.classes = classBreaks(o_.classMethod, values, o_.classCount);
    }

    // The classes with the bounds the person entered: the shift undone.
    ClassBreaks shownClasses() const {
        ClassBreaks shown = st_.classes;
        if (!st_.valuesShifted)
            return shown;
        const double shift = std::fabs(double(st_.rawValueMin)) + 1;
        shown.min -= shift;
        for (double& u : shown.upper)
            u -= shift;
        return shown;
    }

    // Times a viewer cannot read are left out, with one notice for all.
    void placeTimes() {
        st_.placeTimes.assign(places_.count(), QString());
        int unreadable = 0;
        QString first;
        for (int i = 0; i < places_.count(); ++i) {
            const QString& time = places_.store.row(i).time;
            if (time.isEmpty())
                continue;
            st_.placeTimes[i] = kmlWhen(time);
            if (st_.placeTimes[i].isEmpty() && unreadable++ == 0)
                first = time;
        }
        if (unreadable > 0)
            r_.ui.messageBox(QStringLiteral("%1 place(s) have a time that is not a date (the first: \"%2\"); "
                                            "they are written without a time stamp.")
                                 .arg(unreadable)
                                 .arg(first),
                             QStringLiteral("Kartello"), MsgIcon::Exclamation);
    }

    double extentNm() {
        const double lonMid = (st_.lonMax + st_.lonMin) / 2;
        const double latMid = (st_.latMin + st_.latMax) / 2;
        dNS_ = disTancia(st_.latMin, st_.latMax, lonMid, lonMid, sink_);
        dEW_ = disTancia(latMid, latMid, st_.lonMin, st_.lonMax, sink_);
        return std::max(dNS_, dEW_);
    }

    void automaticHeight() {
        const double diag = disTancia(st_.latMin, st_.latMax, st_.lonMin, st_.lonMax, sink_);
        altitudeToAdd_ = altitude(diag, sink_);
        if (r_.shapeMode && lastPlace() > 0)
            altitudeToAdd_ /= lastPlace();
        if (o_.autoHeightVisible) {
            if (o_.autoHeight)
                o_.altitudeToAddText = numberText(intFloor(altitudeToAdd_));
            else
                altitudeToAdd_ = readNumber(o_.altitudeToAddText);
        }
        const double extentKm = extentNm() / 0.5399555;
        const double base = heightBase(extentKm);
        double factor = 1;
        if (st_.valueMax != 0) {
            factor = checkedDiv(base, st_.valueMax);
            if (o_.logTransform)
                factor = checkedDiv(base, checkedLog(st_.valueMax + 1));
            if (o_.sqrTransform)
                factor = checkedDiv(base, checkedSqrt(st_.valueMax + 1));
        }
        if (r_.shapeMode)
            factor /= 3;
        if (o_.autoHeightVisible) {
            if (o_.autoHeight)
                o_.heightFactorText = FormatFactor(factor);
            else
                factor = readNumber(o_.heightFactorText);
        }
        st_.heightFactor = factor;
    }

    void cameraRangeAndCentre() {
        extentNm();
        // Only a set on one point lacks both extents; places on one parallel
        // are framed by their east-west extent.
        if (dNS_ == 0 && dEW_ == 0)
            dNS_ = 10000;
        double range =
            checkedFinite(std::exp(0.98113607 * checkedLog(std::max(dNS_, dEW_) / 0.5399555) + 7.18472179));
        if (range == 0)
            range = 1000000;
        st_.camera.range = range;
        const QString centre = PontoMedio(st_.latMin, st_.lonMin, st_.latMax, st_.lonMax);
        const QStringList parts = centre.split(QLatin1Char(','));
        st_.camera.longitude = parts.value(0);
        st_.camera.latitude = parts.value(1);
        if (st_.lonMax > 180) // across the date line
            st_.camera.longitude = numberText(wrapLongitude(readNumber(parts.value(0))));
    }

    void automaticSize() {
        if (!o_.autoSize)
            return;
        const double w = disTancia(st_.latMin, st_.latMin, st_.lonMin, st_.lonMax, sink_);
        const double s = disTancia(st_.latMin, st_.latMax, st_.lonMin, st_.lonMin, sink_);
        double factor = 0;
        if (w > 0 && s > 0) {
            const double rows = checkedSqrt(checkedDiv(lastPlace() * s, w));
            const double cols = checkedDiv(lastPlace(), rows);
            factor = checkedDiv(smaller(w, s), smaller(cols, rows));
        } else if (w > 0 || s > 0) {
            // Places on one parallel or one meridian: their spacing on the line.
            factor = std::max(w, s) / std::max(1, lastPlace());
        } else {
            // One place, or all on one point: 1 km, the scale the automatic
            // height takes for such a set.
            factor = 0.5399555;
        }
        o_.sizeFactorText = FormatFactor(factor);
    }

    ScalePoint scalePoint(double v) const {
        ScalePoint p{v, st_.valueMin, st_.valueMax};
        if (o_.logTransform) {
            p = {checkedLog(v + 1), checkedLog(st_.valueMin + 1), checkedLog(st_.valueMax + 1)};
        }
        if (o_.sqrTransform) {
            p = {checkedSqrt(v + 1), checkedSqrt(st_.valueMin + 1), checkedSqrt(st_.valueMax + 1)};
        }
        if (p.t < p.lo)
            p.t = p.lo;
        if (p.t > p.hi)
            p.t = p.hi;
        return p;
    }

    QString colourOf(double v, const ScalePoint& p) {
        if (!o_.colorByValue)
            return st_.swatches.fill;
        if (classed())
            return kmlColor(st_.colorScale[classColorIndex(st_.classes.classOf(v), st_.classes.count())]);
        const double position = p.hi == p.lo ? 0.5 : 1 - checkedDiv(p.t - p.lo, p.hi - p.lo);
        QString colour;
        runProcedure(sink_, Procedure{QStringLiteral("calCor")},
                     [&] { colour = calCor(position, st_.colorScale); });
        return colour;
    }

    long long heightOf(double v) const {
        if (o_.heightByValue && o_.classHeight && classed())
            v = st_.classes.upper[st_.classes.classOf(v)];
        if (o_.heightByValue) {
            double x = v;
            if (o_.logTransform)
                x = checkedLog(v + 1);
            if (o_.sqrTransform)
                x = checkedSqrt(v + 1);
            return wholeMetres(x * st_.heightFactor) + wholeMetres(altitudeToAdd_);
        }
        if (o_.heightConstant)
            return wholeMetres(readNumber(o_.heightText) * o_.heightUnitFactor);
        return 0;
    }

    double radiusOf(const ScalePoint& p) const {
        if (o_.sizeByValue) {
            // All values equal: every place sits mid-scale, as its colour does.
            const double position = p.hi == p.lo ? 0.5 : checkedDiv(p.t - p.lo, p.hi - p.lo);
            return checkedFinite(position * (readNumber(o_.sizeFactorText) * 0.5));
        }
        if (o_.sizeConstant)
            return checkedFinite(readNumber(o_.sizeText) * o_.sizeUnitFactor);
        return 0;
    }

    // Only-save mode: the polygons still get the colours a graph would give
    // them, as an empty colour is not valid KML.
    void colourPass() {
        for (int i = 0; i <= lastPlace(); ++i) {
            if (places_.at(i, ColLatitude).isEmpty())
                continue;
            const double v = places_.at(i, ColValue).toNumber();
            st_.placeColors[i] = colourOf(v, scalePoint(v));
        }
    }

    void placePass() {
        if (!r_.shapeMode)
            corners_.emplace(polygonStep(readNumber(o_.sidesText)));
        for (int i = 0; i <= lastPlace(); ++i) {
            const auto& row = places_.store.row(i).cells;
            if (row[ColLatitude].isEmpty())
                continue;
            r_.ui.yieldToWindow();
            const double v = row[ColValue].toNumber();
            const ScalePoint p = scalePoint(v);
            st_.placeColors[i] = colourOf(v, p);
            long long h = heightOf(v);
            if (r_.shapeMode) {
                h = wholeMetres(double(h) + st_.camera.range / 250);
                st_.heights[i] = h;
                st_.placeCoords[i] = raiseRing(row[ColLatitude].toText(), h, r_.ui).toUtf8();
                continue;
            }
            st_.heights[i] = h;
            st_.radii[i] = radiusOf(p);
            ringBytes_ += corners_->sizeBound(st_.radii[i], h);
        }
    }

    // The corners of point place i appended to out, made while the document
    // is written. Both threads of the rings call it: it reads only.
    void makeRing(int i, QByteArray& out) const {
        const auto& row = places_.store.row(i).cells;
        if (row[ColLatitude].isEmpty())
            return;
        corners_->append(out, row[ColLatitude].toNumber(), row[ColLongitude].toNumber(), st_.radii[i],
                         st_.heights[i], r_.arcSin);
    }

    // A corner that cannot be placed would leave a broken ring in the file;
    // the fault is shown once and nothing is written.
    QByteArrayView pointRing(RingsAhead& rings, int i) const {
        QByteArrayView ring;
        if (!runProcedure(sink_, Procedure{QStringLiteral("FcoorD")}, [&] { ring = rings.take(i); }))
            throw GenerationStopped();
        return ring;
    }

    void gridLines(QStringList& meridians, QStringList& parallels) const {
        const double g = std::max(st_.latMax - st_.latMin, st_.lonMax - st_.lonMin) / 9;
        // A set on one point has no span to divide; it gets no grid.
        if (!(g > 0))
            return;
        const auto add = [](QStringList& table, const QString& line) {
            if (table.size() >= 101)
                throw RuntimeError(ErrSubscript);
            table.append(line);
        };
        // The lines run a step beyond the box; no latitude lies past a pole
        // and a longitude past the date line is the one on its other side.
        const auto lat = [](double y) {
            return numberText(std::clamp(y, -90.0, 90.0));
        };
        const auto lon = [](double x) {
            return numberText(wrapLongitude(x));
        };
        const double south = st_.latMin - g, north = g + st_.latMax;
        const double west = st_.lonMin - g, east = g + st_.lonMax;
        const bool acrossDateLine = east > 180 || west < -180;
        for (double x = west; x <= east; x += g) {
            add(meridians, lon(x) + QLatin1Char(',') + lat(south) + QStringLiteral(",0 ") + lon(x) +
                               QLatin1Char(',') + lat(north) + QStringLiteral(",0"));
        }
        for (double y = south; y <= north; y += g) {
            if (std::fabs(y) > 90)
                continue; // a parallel past a pole is no line at all
            QString line = lon(west) + QLatin1Char(',') + lat(y) + QStringLiteral(",0 ");
            // Across the date line the parallel passes every meridian of the
            // grid, so that no reader takes it the long way round.
            if (acrossDateLine)
                for (double x = west + g; x < east - g / 2; x += g)
                    line += lon(x) + QLatin1Char(',') + lat(y) + QStringLiteral(",0 ");
            add(parallels, line + lon(east) + QLatin1Char(',') + lat(y) + QStringLiteral(",0"));
        }
    }

    void takeShapeBounds(const ShapeBounds& b) {
        st_.latMin = b.latMin;
        st_.latMax = b.latMax;
        st_.lonMin = b.lonMin;
        st_.lonMax = b.lonMax;
        st_.valueMin = b.valueMin;
        st_.valueMax = b.valueMax;
        st_.rawValueMin = b.rawValueMin;
        st_.rawValueMax = b.rawValueMax;
    }

    QString shapeLabelPosition(int i) const {
        const QString ring = places_.at(i, ColLatitude).toText();
        if (ring.count(QLatin1Char(',')) > 8)
            return r_.shapes->centre(
                ring, i < int(st_.placeCoords.size()) ? QString::fromUtf8(st_.placeCoords[i]) : QString());
        return r_.shapes->lonField(ring) + QLatin1Char(',') + r_.shapes->latField(ring) + QLatin1Char(',') +
               numberText(checkedFinite(double(st_.heights[i]) * 1.1));
    }

    GraphRun& r_;
    GraphOptions& o_;
    GraphState& st_;
    PlaceRange& places_;
    ErrorSink sink_;
    double altitudeToAdd_ = 0;
    double dNS_ = 0, dEW_ = 0;
    std::optional<CornerRing> corners_; // of the point polygons
    qsizetype ringBytes_ = 0;           // a bound of their corner texts
};

} // namespace

bool generateGraph(GraphRun& run) {
    const Procedure faZ{QStringLiteral("faZ"), QStringLiteral(". Please review your data")};
    try {
        if (runProcedure(run.ui, faZ, [&] { Generation(run).run(); }))
            return true;
    } catch (const GenerationStopped&) {
        // The reason is already shown.
    }
    run.ui.setBusy(false);
    return false;
}

} // namespace kartello
