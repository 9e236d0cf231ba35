#pragma once
// Value scaling: how a value becomes a height, a radius and a scale position,
// and the automatic factors chosen from the geographic extent of the set.
#include "graph/ErrorSink.h"

#include <QString>

namespace kartello {

// Automatic altitude in metres for a box diagonal of diag nautical miles: the
// earth's bulge over that chord plus 5 per cent, 50000 past one earth radius.
// Traps its own errors (" in procedure altitude of form Main") and gives 0.
double altitude(double diag, const ErrorSink& sink);

// A factor as a text box shows it: "###", "###.0" ... "###.0000" by magnitude,
// empty at or below 0.001.
QString FormatFactor(double x);

// Height in metres given to the largest value over an extent in kilometres.
// A set on one point has no extent; it is then treated as 1 km across, the
// scale at which the formula gives its base height of about 812 m.
double heightBase(double extentKm);

// The smaller of two numbers: the first unless it is larger than the second.
inline double smaller(double a, double b) {
    return a > b ? b : a;
}

// Rounds up at d decimals unless the excess is below 0.00001 of the last unit.
double RoundUp(double x, int decimals);

// Rounds to d decimals, halves to even, as the label values are shown.
double roundDecimals(double x, int decimals);

} // namespace kartello
