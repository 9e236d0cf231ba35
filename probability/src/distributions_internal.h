// Extended-precision cores of the distributions that other distributions
// build on; the exports round to double only on return.
#ifndef PROBABILITY_DISTRIBUTIONS_INTERNAL_H
#define PROBABILITY_DISTRIBUTIONS_INTERNAL_H

#include <cmath>
#include <limits>

namespace probability::distributions {

using Real = long double;

inline constexpr Real nanValue = std::numeric_limits<Real>::quiet_NaN();
inline constexpr Real infValue = std::numeric_limits<Real>::infinity();
inline constexpr Real sqrtTwo = 1.41421356237309504880168872420969808L;

template <typename... T> bool anyNan(T... v) {
    return (std::isnan(static_cast<Real>(v)) || ...);
}

inline bool isIntegral(Real x) {
    return x == std::trunc(x);
}

// CDF results that come from sums or the incomplete functions never exceed 1.
inline Real clip(Real p) {
    return p > 1 ? 1 : p;
}

Real betaPdf(Real x, Real a, Real b);
Real betaCdf(Real x, Real a, Real b);
Real betaCdfInv(Real p, Real a, Real b);
// The root x of the beta distribution function and its complement y = 1 - x,
// each to full relative precision.
struct BetaRoot {
    Real x;
    Real y;
};
// The root of I_x(a, b) = p, given p and q = 1 - p (whichever is smaller is
// the target, so each must be accurate).
BetaRoot betaQuantile(Real p, Real q, Real a, Real b);
Real gammaPdf(Real x, Real a, Real b);
Real gammaCdf(Real x, Real a, Real b);
Real gammaCdfInv(Real p, Real a, Real b);
Real normalCdfInv(Real p, Real mu, Real s);

} // namespace probability::distributions

#endif
