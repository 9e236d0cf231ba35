#include "graph/Geometry.h"

#include "graph/ArcSinLink.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kartello {

namespace {

constexpr double kEccentricity = 0.08248339904;
constexpr double kEarthMinutes = 3437.746771;
constexpr double kEarthRadiusNm = 10800.0 / kPi;

// Rounding can carry the sine of a destination a hair past 1 near the poles;
// such an argument means exactly +-1, anything further is a real fault.
double clampUnit(double x) {
    if (x > 1.0 && x < 1.0 + 1e-12)
        return 1.0;
    if (x < -1.0 && x > -1.0 - 1e-12)
        return -1.0;
    return x;
}

// One coordinate of a corner: the general number text for decimals < 0.
void appendCoordinate(QByteArray& out, double v, int decimals) {
    if (decimals < 0)
        appendNumberText(out, v);
    else
        appendRounded(out, v, decimals);
}

void appendDestination(QByteArray& out, double lat, double lon, double dist, int bearing, ArcSinLink& arcSin,
                       int decimals) {
    const double phi1 = lat * kPi / 180;
    const double lambda1 = lon * kPi / 180;
    const double theta = bearing * kPi / 180;
    const double delta = dist / kEarthRadiusNm;
    const double phi2 = arcSin(
        clampUnit(std::sin(phi1) * std::cos(delta) + std::cos(phi1) * std::sin(delta) * std::cos(theta)));
    const double dLambda = arcSin(clampUnit(checkedDiv(std::sin(theta) * std::sin(delta), std::cos(phi2))));
    const double lambda2 = moDl(lambda1 - dLambda + kPi, 6.28318530717958) - kPi;
    // The program's pi is a little short of the true one, so a corner at a
    // pole comes out a hair past 90 degrees; no such latitude exists.
    const double lat2 = std::clamp(checkedFinite(phi2 * 180 / kPi), -90.0, 90.0);
    // Whole turns off, exactly: subtracting 360 at a time never ends for a
    // longitude so large that 360 is below its last digit.
    double lon2 = std::fmod(checkedFinite(lambda2 * 180 / kPi), 360.0);
    if (lon2 > 180)
        lon2 -= 360;
    else if (lon2 < -180)
        lon2 += 360;
    appendCoordinate(out, lon2, decimals);
    out.append(",", 1);
    appendCoordinate(out, lat2, decimals);
}

} // namespace

double roundDown(double x) {
    return std::trunc(x);
}

double moDl(double a, double b) {
    return a - b * roundDown(checkedDiv(a, b));
}

double meridionalParts(double lat) {
    const double phi = lat * 2 * kPi / 360;
    const double t = (lat / 2 + 45) * 2 * kPi / 360;
    const double es = kEccentricity * std::sin(phi);
    const double q = std::pow(checkedDiv(1 + es, 1 - es), kEccentricity / 2);
    return std::fabs(checkedFinite(checkedLog(checkedDiv(std::tan(t), q)) * kEarthMinutes));
}

double mP(double lat, const ErrorSink& sink) {
    double parts = 0;
    runProcedure(sink, Procedure{QStringLiteral("mP"), QStringLiteral(". Please review your data")},
                 [&] { parts = meridionalParts(lat); });
    return parts;
}

double disTancia(double lat1, double lat2, double lon1, double lon2, const ErrorSink& sink) {
    double distance = 0;
    runProcedure(sink, Procedure{QStringLiteral("disTancia")}, [&] {
        // A latitude of exactly 0 would make the sign tests below divide by zero.
        if (lat1 == 0)
            lat1 = 1e-14;
        if (lat2 == 0)
            lat2 = 1e-14;
        double dLon = lon2 - lon1;
        if (std::fabs(dLon) > 180)
            dLon = -(dLon > 0 ? 1 : -1) * (360 - std::fabs(dLon));
        if (lat1 == lat2) {
            distance = checkedFinite(std::fabs(dLon * 60 * std::cos(lat1 * 2 * kPi / 360)));
            return;
        }
        // At a pole the meridional parts grow without bound, so the course
        // tends to due north or south and the distance to the difference of
        // latitude: its limit, where the formula below would fail on ln 0.
        if (std::fabs(lat1) >= 90 || std::fabs(lat2) >= 90) {
            distance = checkedFinite(std::fabs((lat2 - lat1) * 60));
            return;
        }
        // mP reports its own faults and answers 0; the distance goes on from there.
        const double m1 = mP(lat1, sink) * lat1 / std::fabs(lat1);
        const double m2 = mP(lat2, sink) * lat2 / std::fabs(lat2);
        const double alpha = std::atan(checkedDiv(dLon * 60, m2 - m1));
        distance = checkedFinite(std::fabs(checkedDiv((lat2 - lat1) * 60, std::cos(alpha))));
    });
    return distance;
}

QString FcoorD(double lat, double lon, double dist, int bearing, ArcSinLink& arcSin) {
    QByteArray out;
    appendDestination(out, lat, lon, dist, bearing, arcSin, -1);
    return QString::fromLatin1(out);
}

LongitudeSpan shorterArcSpan(std::vector<double> longitudes) {
    if (longitudes.empty())
        return {};
    for (double& lon : longitudes)
        lon = wrapLongitude(lon);
    std::sort(longitudes.begin(), longitudes.end());
    // The set lies on the circle outside its widest empty gap. Unless that gap
    // is the one across the date line, the span starts just after it.
    double widest = longitudes.front() + 360 - longitudes.back();
    size_t after = 0;
    for (size_t k = 1; k < longitudes.size(); ++k) {
        const double gap = longitudes[k] - longitudes[k - 1];
        if (gap > widest) {
            widest = gap;
            after = k;
        }
    }
    if (after == 0)
        return {longitudes.front(), longitudes.back()};
    return {longitudes[after], longitudes[after - 1] + 360};
}

double wrapLongitude(double lon) {
    return lon > 180 || lon < -180 ? std::remainder(lon, 360.0) : lon;
}

QString PontoMedio(double lat1, double lon1, double lat2, double lon2) {
    const double midLat = lat1 + (lat2 - lat1) / 2;
    const double midLon = lon1 + (lon2 - lon1) / 2;
    return numberText(checkedFinite(midLon)) + QLatin1Char(',') + numberText(checkedFinite(midLat)) +
           QStringLiteral(",0 ");
}

int polygonStep(double sides) {
    const long long step = toWhole(checkedDiv(360, sides));
    if (step <= 0)
        throw RuntimeError(ErrInvalidCall);
    return static_cast<int>(step);
}

int cornerDecimals(double radius) {
    // Rounding to d decimals moves a corner by at most half of 10^-d degree.
    const double radiusDegrees = std::fabs(radius) / 60;
    for (int d = 4; d <= 12; ++d)
        if (0.5 * std::pow(10.0, -d) <= radiusDegrees / 100)
            return d;
    return -1;
}

qsizetype cornersSizeBound(double radius, long long height, int step) {
    // A longitude holds at most "-180." and a latitude "-90." before their
    // decimals; then two commas, the whole metres and a blank.
    const int decimals = cornerDecimals(radius);
    const qsizetype coordinates = decimals < 0 ? 44 : 2 * decimals + 9;
    return (360 / step + 2) * (coordinates + QByteArray::number(height).size() + 3);
}

void appendCorners(QByteArray& out, double lat, double lon, double radius, long long height, int step,
                   ArcSinLink& arcSin) {
    QByteArray tail(1, ',');
    appendNumberText(tail, static_cast<double>(height));
    tail += ' ';
    const int decimals = cornerDecimals(radius);
    out.reserve(out.size() + cornersSizeBound(radius, height, step));
    const qsizetype start = out.size();
    qsizetype firstEnd = start;
    for (int b = 45; b < 405; b += step) {
        appendDestination(out, lat, lon, radius, b, arcSin, decimals);
        out += tail;
        if (b == 45)
            firstEnd = out.size();
    }
    // A linear ring ends on its first corner, text for text: bearing 405
    // would give it again only to the last few digits, and a step that does
    // not divide 360 would stop short of it; readers refuse both as unclosed.
    out.append(QByteArrayView(out.constData() + start, firstEnd - start).toByteArray());
}

} // namespace kartello
