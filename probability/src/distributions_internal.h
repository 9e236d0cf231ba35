// Extended-precision cores of the distributions that other distributions
// build on; the exports round to double only on return.
#ifndef PROBABILITY_DISTRIBUTIONS_INTERNAL_H
#define PROBABILITY_DISTRIBUTIONS_INTERNAL_H

#include "constants.h"

#include <cmath>
#include <limits>

namespace prob {

template <typename... T> bool anyNan(T... v) {
    return (std::isnan(static_cast<Ext>(v)) || ...);
}

inline bool isIntegral(Ext x) {
    return x == std::trunc(x);
}

// CDF results that come from sums or the incomplete functions never exceed 1.
inline Ext clip(Ext p) {
    return p > 1 ? 1 : p;
}

Ext betaPdf(Ext x, Ext a, Ext b);
Ext betaCdf(Ext x, Ext a, Ext b);
Ext betaCdfInv(Ext p, Ext a, Ext b);
// The root x of the beta distribution function and its complement y = 1 - x,
// each to full relative precision.
struct BetaRoot {
    Ext x;
    Ext y;
};
// The root of I_x(a, b) = p, given p and q = 1 - p (whichever is smaller is
// the target, so each must be accurate).
BetaRoot betaQuantile(Ext p, Ext q, Ext a, Ext b);
Ext gammaPdf(Ext x, Ext a, Ext b);
Ext gammaCdf(Ext x, Ext a, Ext b);
Ext gammaCdfInv(Ext p, Ext a, Ext b);
Ext normalCdfInv(double p, double mu, double s);

} // namespace prob

#endif
