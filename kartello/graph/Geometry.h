#pragma once
// Earth model and navigation formulas: rhumb-line distance with meridional
// parts, great-circle destination points, and the ring of corners drawn round
// every place. Distances are nautical miles, angles decimal degrees.
#include "graph/ErrorSink.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace kartello {

class ArcSinLink;

// The program's pi; the geometry keeps this literal rather than the full
// double value so that corners land where they always have.
inline constexpr double kPi = 3.14159265358979;

// Whole-number part toward zero (3.7 -> 3, -3.7 -> -3).
double roundDown(double x);
// a - b * roundDown(a / b): the remainder keeps the sign of a. Throws 11 when b is 0.
double moDl(double a, double b);

// Meridional parts of a latitude in minutes, as a magnitude. Throws 5 at -90.
double meridionalParts(double lat);

// The trapping forms used by generation: a run-time error is shown through
// the sink (" in procedure mP/disTancia of form Main") and the result is 0.
double mP(double lat, const ErrorSink& sink);
// Rhumb-line distance in nautical miles; both latitudes first.
double disTancia(double lat1, double lat2, double lon1, double lon2, const ErrorSink& sink);

// Destination from (lat, lon) after dist nautical miles on the given bearing,
// as "lon,lat" number text. A bearing of 90 moves west (see corner rings).
// Throws RuntimeError; the arc sine comes from the Probability library.
QString FcoorD(double lat, double lon, double dist, int bearing, ArcSinLink& arcSin);

// The longitude span of a set on the shorter arc: {west, east}. A set across
// the date line (Fiji 178, Samoa -172) gives {178, 188}: east may pass 180 so
// that east - west is the span; wrapLongitude brings a position back.
struct LongitudeSpan {
    double west = 0, east = 0;
};
LongitudeSpan shorterArcSpan(std::vector<double> longitudes);

// A longitude brought into [-180, 180].
double wrapLongitude(double lon);

// "midLon,midLat,0 " of a box, plain arithmetic without date-line wrap.
QString PontoMedio(double lat1, double lon1, double lat2, double lon2);

// Bearing step of a regular polygon: 360 / sides, halves to even. Throws 11
// for 0 sides and 5 when the step would not advance (it would never end).
int polygonStep(double sides);

// The decimals a polygon's corners are written with (see CornerRing), or
// -1 for the general number text.
int cornerDecimals(double radius);

// The corner rings of one bearing step: the bearings from 45 while below 405
// with their sines and cosines, worked out once for every place drawn.
class CornerRing {
public:
    explicit CornerRing(int step);

    // At least the length of the text append writes.
    qsizetype sizeBound(double radius, long long height) const;

    // Appends the corner ring of one place: tuples "lon,lat,h " at radius
    // nautical miles, closed by the first tuple repeated. Corners are rounded
    // to the decimals that keep each coordinate within a hundredth of the
    // radius of where it lies, but never coarser than 1e-4 degree (about
    // 11 m, the precision places are commonly given in): the fifteen digits
    // of the general number text place a corner to a nanometre and made a
    // large document half as large again. A polygon too small for 12
    // decimals, or of no size, keeps the general number text. On a fault
    // out is left as it was.
    void append(QByteArray& out, double lat, double lon, double radius, long long height,
                ArcSinLink& arcSin) const;

private:
    struct Bearing {
        double sin, cos;
    };
    std::vector<Bearing> bearings_;
};

} // namespace kartello
