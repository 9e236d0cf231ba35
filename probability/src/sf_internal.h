// Extended-precision cores of the special functions. The exported entry
// points round to double only on return; the distributions call these cores
// directly so that their own arithmetic stays in 80-bit precision too.
#ifndef PROBABILITY_SPECIAL_INTERNAL_H
#define PROBABILITY_SPECIAL_INTERNAL_H

#include "constants.h"

#include <array>
#include <complex>

namespace prob {

using Complex = std::complex<Ext>;

// A polynomial with its coefficients highest power first, by Horner's rule.
template <std::size_t N> Ext horner(const std::array<Ext, N>& c, Ext x) {
    Ext sum = 0;
    for (Ext k : c)
        sum = sum * x + k;
    return sum;
}

// A probability and its complement, each computed directly (never one as
// one minus the other where that would cancel); for a complex argument the
// lower and upper incomplete functions.
template <typename T> struct TailsOf {
    T lower;
    T upper;
};
using Tails = TailsOf<Ext>;
using ComplexTails = TailsOf<Complex>;

// Sign of Gamma(x): 1 for x > 0, else +1 when |x| truncated is odd, -1 when even.
int gammaSign(Ext x);
Ext gamma(Ext x);
Ext lnGamma(Ext x);
// ln|Gamma(x)| for x <= 0.03125 in magnitude after the recurrence, used by both routines.
Ext smallGamma(Ext z, Ext x);

// The binomial coefficient by the product (n - b + 1) / b over b = 2..k,
// rounded to the nearest integer; 0 for k < 0 or k > n >= 0.
Ext binomialCoefficient(long long n, long long k);

// ln Gamma(x) less its Stirling sum (x - 1/2) ln x - x + ln sqrt(2 pi), for
// x >= 10: the small remainder 1/(12x) - 1/(360x^3) + ..., which lets
// ratios of gamma functions of large arguments be formed without the
// cancellation of their logarithms.
Ext stirlingRemainder(Ext x);
// x - ln(1 + x) for x > -1, without cancellation near 0.
Ext lnOnePlusRemainder(Ext x);
// Beta(a, b) for finite a, b not poles.
Ext beta(Ext a, Ext b);

// Regularised lower (P) and upper (Q) incomplete gamma functions with the
// domain rules of the exported IGamma / JGamma.
Ext lowerGamma(Ext a, Ext x);
Ext upperGamma(Ext a, Ext x);
Ext gammaSeries(Ext a, Ext x);
Ext gammaFraction(Ext a, Ext x);
// x^a e^-x / Gamma(a) for a > 0, x > 0: the gamma density at x times x.
Ext gammaPrefactor(Ext a, Ext x);
// x^a y^b / B(a, b) for y = 1 - x (see betaTails): the beta density times x y.
Ext betaPrefactor(Ext x, Ext y, Ext a, Ext b);
// P(a, x) and Q(a, x) for a > 0, x > 0, both finite.
Tails gammaTails(Ext a, Ext x);

// P(a, z) and Q(a, z) for real a > 0 and finite complex z other than 0,
// on the principal branch of z^a.
ComplexTails gammaTails(Ext a, Complex z);
Complex gammaSeries(Ext a, Complex z);
Complex gammaFraction(Ext a, Complex z);

// Regularised incomplete beta I_x(a, b).
Ext betaIncomplete(Ext x, Ext a, Ext b);
// I_x(a, b) and 1 - I_x(a, b) for 0 < x < 1, a, b > 0, with y = 1 - x given
// by the caller, who can often form it without rounding (1 - x itself loses
// the digits of y when x is tiny).
Tails betaTails(Ext x, Ext y, Ext a, Ext b);

Ext erf(Ext x);
Ext erfc(Ext x);
Ext erfInv(double y);
// The x with erfc(x) = q, for 0 < q < 2.
Ext erfcInv(Ext q);
// The quantile of the standard normal distribution, for 0 < p < 1.
Ext standardNormalQuantile(double p);

Complex lnGamma(Complex z);

// Iteration ceiling of the series and continued fractions, which need about
// 10 sqrt(a) terms near x = a: ample for every shape parameter up to about
// 1e11, and the reason no argument can hang a call.
inline constexpr long maxIterations = 4000000;

} // namespace prob

#endif
