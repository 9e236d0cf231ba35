#include "graph/Geometry.h"

#include "graph/ArcSinLink.h"
#include "runtime/Number.h"
#include "runtime/RuntimeError.h"
#include "runtime/Trap.h"

#include <algorithm>
#include <array>
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

// checkedDiv and checkedFinite where a corner is worked out half a million
// times: the checked forms are called only for a value they refuse, so a
// fault is reported with their own error number.
double quotient(double a, double b) {
    const double q = a / b;
    return b != 0 && std::isfinite(q) ? q : checkedDiv(a, b);
}

double finite(double v) {
    return std::isfinite(v) ? v : checkedFinite(v);
}

// moDl for the corners: the library is built position-independent, so an
// exported function is called, never inlined.
double remainderOf(double a, double b) {
    return a - b * std::trunc(quotient(a, b));
}

// What the destination formula takes from the start and the distance: the
// same for every corner of one ring.
struct Origin {
    double lambda1;  // the start's longitude in radians
    double sinDelta; // of the angular distance
    double a, b;     // sin phi1 cos delta, cos phi1 sin delta
};

Origin originOf(double lat, double lon, double dist) {
    const double phi1 = lat * kPi / 180;
    const double delta = dist / kEarthRadiusNm;
    return {lon * kPi / 180, std::sin(delta), std::sin(phi1) * std::cos(delta),
            std::cos(phi1) * std::sin(delta)};
}

// One coordinate of a corner: the general number text for decimals < 0.
char* writeCoordinate(char* p, double v, int decimals) {
    return decimals < 0 ? writeNumberText(p, v) : writeRounded(p, v, decimals);
}

// The room writeDestination takes at most: a longitude holds at most "-180."
// and a latitude "-90." before their decimals, the general number text 22
// characters ("-1.23456789012345E-300"); and the comma between them.
qsizetype destinationBound(int decimals) {
    return decimals < 0 ? 2 * 22 + 1 : 2 * decimals + 10;
}

// "lon,lat" of the point reached from the origin on the bearing whose sine
// and cosine are given.
char* writeDestination(char* p, const Origin& o, double sinTheta, double cosTheta, ArcSinLink& arcSin,
                       int decimals) {
    const double phi2 = arcSin(clampUnit(o.a + o.b * cosTheta));
    const double dLambda = arcSin(clampUnit(quotient(sinTheta * o.sinDelta, std::cos(phi2))));
    const double lambda2 = remainderOf(o.lambda1 - dLambda + kPi, 6.28318530717958) - kPi;
    // The program's pi is a little short of the true one, so a corner at a
    // pole comes out a hair past 90 degrees; no such latitude exists.
    const double lat2 = std::clamp(finite(phi2 * 180 / kPi), -90.0, 90.0);
    // Whole turns off, exactly: subtracting 360 at a time never ends for a
    // longitude so large that 360 is below its last digit. Nearly every
    // corner lies within a turn already, where fmod would give it back as it is.
    double lon2 = finite(lambda2 * 180 / kPi);
    if (!(std::fabs(lon2) < 360))
        lon2 = std::fmod(lon2, 360.0);
    if (lon2 > 180)
        lon2 -= 360;
    else if (lon2 < -180)
        lon2 += 360;
    p = writeCoordinate(p, lon2, decimals);
    *p++ = ',';
    return writeCoordinate(p, lat2, decimals);
}

// The smallest distance in degrees that d decimals can still place a
// corner within a hundredth of, for d = 4..12.
const std::array<double, 13>& decimalSteps() {
    static const std::array<double, 13> steps = [] {
        std::array<double, 13> s{};
        for (int d = 4; d <= 12; ++d)
            s[d] = 0.5 * std::pow(10.0, -d);
        return s;
    }();
    return steps;
}

} // namespace

double roundDown(double x) {
    return std::trunc(x);
}

double moDl(double a, double b) {
    return remainderOf(a, b);
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
    const double theta = bearing * kPi / 180;
    char text[2 * kNumberTextMax + 1];
    const char* const end =
        writeDestination(text, originOf(lat, lon, dist), std::sin(theta), std::cos(theta), arcSin, -1);
    return QString::fromLatin1(text, end - text);
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
        if (decimalSteps()[d] <= radiusDegrees / 100)
            return d;
    return -1;
}

CornerRing::CornerRing(int step) {
    for (int b = 45; b < 405; b += step) {
        const double theta = b * kPi / 180;
        bearings_.push_back({std::sin(theta), std::cos(theta)});
    }
}

qsizetype CornerRing::sizeBound(double radius, long long height) const {
    // Each tuple is a destination, two commas, the whole metres and a blank;
    // the first comes again at the end.
    char metres[kNumberTextMax];
    const qsizetype tuple =
        destinationBound(cornerDecimals(radius)) + (writeNumberText(metres, double(height)) - metres) + 2;
    return qsizetype(bearings_.size() + 1) * tuple;
}

void CornerRing::append(QByteArray& out, double lat, double lon, double radius, long long height,
                        ArcSinLink& arcSin) const {
    char tail[kNumberTextMax + 2] = {','};
    char* tailEnd = writeNumberText(tail + 1, static_cast<double>(height));
    *tailEnd++ = ' ';
    const int decimals = cornerDecimals(radius);
    const qsizetype start = out.size();
    // Written in place into room for the longest text, then cut to size.
    out.resize(start + sizeBound(radius, height));
    char* p = out.data() + start;
    qsizetype firstSize = 0;
    try {
        const Origin origin = originOf(lat, lon, radius);
        for (const Bearing& b : bearings_) {
            p = writeDestination(p, origin, b.sin, b.cos, arcSin, decimals);
            p = std::copy(tail, tailEnd, p);
            if (firstSize == 0)
                firstSize = p - (out.data() + start);
        }
    } catch (...) {
        out.truncate(start);
        throw;
    }
    // A linear ring ends on its first corner, text for text: bearing 405
    // would give it again only to the last few digits, and a step that does
    // not divide 360 would stop short of it; readers refuse both as unclosed.
    const char* const first = out.constData() + start;
    p = std::copy(first, first + firstSize, p);
    out.truncate(p - out.constData());
}

} // namespace kartello
