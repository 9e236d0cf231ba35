// Helpers of the special-function and distribution tests: distances in units
// in the last place between a double and a high-precision reference.
#ifndef PROBABILITY_SPECIAL_TEST_SUPPORT_H
#define PROBABILITY_SPECIAL_TEST_SUPPORT_H

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

extern "C" {
#include <quadmath.h>
}

namespace special_test {

// The distance of got from the exact value ref, in units of the last place of
// the double nearest to ref (subnormals counted at the smallest normal ulp).
inline double ulpError(double got, __float128 ref) {
    if (std::isnan(got))
        return isnanq(ref) ? 0 : std::numeric_limits<double>::infinity();
    const double nearest = static_cast<double>(ref);
    if (std::isinf(nearest) || std::isinf(got))
        return got == nearest ? 0 : std::numeric_limits<double>::infinity();
    int exponent = 0;
    std::frexp(nearest == 0 ? std::numeric_limits<double>::min() : nearest, &exponent);
    exponent = std::max(exponent, std::numeric_limits<double>::min_exponent);
    const __float128 ulp = ldexpq(1.0Q, exponent - 53);
    return static_cast<double>(fabsq(static_cast<__float128>(got) - ref) / ulp);
}

inline double relativeError(double got, __float128 ref) {
    return static_cast<double>(fabsq((static_cast<__float128>(got) - ref) / ref));
}

// An evenly spread sweep that also visits the odd fractions between the steps.
template <typename F> void sweep(double from, double to, int count, F&& f) {
    for (int i = 0; i <= count; ++i)
        f(from + (to - from) * i / count + 1e-7 * (i % 7));
}

} // namespace special_test

#endif
