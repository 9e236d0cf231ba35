// Extended-precision cores of the special functions. The exported entry
// points round to double only on return; the distributions call these cores
// directly so that their own arithmetic stays in 80-bit precision too.
#ifndef PROBABILITY_SPECIAL_INTERNAL_H
#define PROBABILITY_SPECIAL_INTERNAL_H

#include <array>
#include <complex>

namespace probability::special {

using Real = long double;
using Complex = std::complex<long double>;

// A polynomial with its coefficients highest power first, by Horner's rule.
template <std::size_t N> Real horner(const std::array<Real, N>& c, Real x) {
    Real sum = 0;
    for (Real k : c)
        sum = sum * x + k;
    return sum;
}

// A probability and its complement, each computed directly (never one as
// one minus the other where that would cancel).
struct Tails {
    Real lower;
    Real upper;
};

// Sign of Gamma(x): 1 for x > 0, else +1 when |x| truncated is odd, -1 when even.
int gammaSign(Real x);
Real gamma(Real x);
Real lnGamma(Real x);
// ln|Gamma(x)| for x <= 0.03125 in magnitude after the recurrence, used by both routines.
Real smallGamma(Real z, Real x);

// The binomial coefficient by the product (n - b + 1) / b over b = 2..k,
// rounded to the nearest integer; 0 for k < 0 or k > n >= 0.
Real binomialCoefficient(long long n, long long k);

// ln Gamma(x) less its Stirling sum (x - 1/2) ln x - x + ln sqrt(2 pi), for
// x >= 10: the small remainder 1/(12x) - 1/(360x^3) + ..., which lets
// ratios of gamma functions of large arguments be formed without the
// cancellation of their logarithms.
Real stirlingRemainder(Real x);
// x - ln(1 + x) for x > -1, without cancellation near 0.
Real lnOnePlusRemainder(Real x);
// Beta(a, b) for finite a, b not poles.
Real beta(Real a, Real b);

// Regularised lower (P) and upper (Q) incomplete gamma functions with the
// domain rules of the exported IGamma / JGamma.
Real lowerGamma(Real a, Real x);
Real upperGamma(Real a, Real x);
Real gammaSeries(Real a, Real x);
Real gammaFraction(Real a, Real x);
// x^a e^-x / Gamma(a) for a > 0, x > 0: the gamma density at x times x.
Real gammaPrefactor(Real a, Real x);
// x^a y^b / B(a, b) for y = 1 - x (see betaTails): the beta density times x y.
Real betaPrefactor(Real x, Real y, Real a, Real b);
// P(a, x) and Q(a, x) for a > 0, x > 0, both finite.
Tails gammaTails(Real a, Real x);

Complex gammaSeries(Real a, Complex z);
Complex gammaFraction(Real a, Complex z);

// Regularised incomplete beta I_x(a, b).
Real betaIncomplete(Real x, Real a, Real b);
// I_x(a, b) and 1 - I_x(a, b) for 0 < x < 1, a, b > 0, with y = 1 - x given
// by the caller, who can often form it without rounding (1 - x itself loses
// the digits of y when x is tiny).
Tails betaTails(Real x, Real y, Real a, Real b);

Real erf(Real x);
Real erfc(Real x);
Real erfInv(Real y);
// The x with erfc(x) = q, for 0 < q < 2.
Real erfcInv(Real q);

Complex lnGamma(Complex z);

// Iteration ceiling of the series and continued fractions, which need about
// 10 sqrt(a) terms near x = a: ample for every shape parameter up to about
// 1e11, and the reason no argument can hang a call.
inline constexpr long maxIterations = 4000000;

} // namespace probability::special

#endif
