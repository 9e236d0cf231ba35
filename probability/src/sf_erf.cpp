// The error function, its complement and its inverse, all through the
// regularised incomplete gamma function of order one half.
#include "probability.h"
#include "sf_internal.h"

#include <cmath>
#include <limits>

namespace prob {

Ext erf(Ext x) {
    const Ext p = lowerGamma(0.5L, x * x);
    return x >= 0 ? p : -p;
}

Ext erfc(Ext x) {
    if (x >= 0)
        return upperGamma(0.5L, x * x);
    if (std::isnan(x))
        return x;
    return 1 + lowerGamma(0.5L, x * x);
}

namespace {

// Rational start value, good to about six digits, that the Newton steps refine.
Ext erfInvStart(Ext y) {
    if (std::fabs(y) <= 0.7L) {
        const Ext z = y * y;
        const Ext num = ((-0.140543331L * z + 0.914624893L) * z - 1.645349621L) * z + 0.886226899L;
        const Ext den = (((0.012229801L * z - 0.329097515L) * z + 1.442710462L) * z - 2.118377725L) * z + 1;
        return y * num / den;
    }
    const Ext z = std::sqrt(-std::log((1 - std::fabs(y)) / 2));
    const Ext x = (((1.641345311L * z + 3.429567803L) * z - 1.624906493L) * z - 1.970840454L) /
                  ((1.6370678L * z + 3.5438892L) * z + 1);
    return y > 0 ? x : -x;
}

} // namespace

Ext erfInv(Ext y) {
    if (std::isnan(y))
        return y;
    if (std::fabs(y) > 1)
        throw ProbabilityError("Argument outside -1..1");
    // The largest double less five units in the last place, as the library has always answered.
    if (y == 1)
        return 1.797693134862315e308;
    if (y == -1)
        return -1.797693134862315e308;
    Ext x = erfInvStart(y);
    for (int step = 0; step < 2; ++step)
        x -= (erf(x) - y) / (kTwoOverSqrtPi * std::exp(-x * x));
    return x;
}

} // namespace prob

double Erf_Double(double x) {
    return static_cast<double>(prob::erf(x));
}

double Erfc_Double(double x) {
    return static_cast<double>(prob::erfc(x));
}

double ErfInv_Double(double y) {
    return static_cast<double>(prob::erfInv(y));
}
