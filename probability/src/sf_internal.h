// Extended-precision cores of the special functions. The exported entry
// points round to double only on return; the distributions call these cores
// directly so that their own arithmetic stays in 80-bit precision too.
#ifndef PROBABILITY_SPECIAL_INTERNAL_H
#define PROBABILITY_SPECIAL_INTERNAL_H

#include <complex>

namespace probability::special {

using Real = long double;
using Complex = std::complex<long double>;

// Sign of Gamma(x): 1 for x > 0, else +1 when |x| truncated is odd, -1 when even.
int gammaSign(Real x);
Real gamma(Real x);
Real lnGamma(Real x);
// ln|Gamma(x)| for x <= 0.03125 in magnitude after the recurrence, used by both routines.
Real smallGamma(Real z, Real x);

// The binomial coefficient by the product (n - b + 1) / b over b = 2..k,
// rounded to the nearest integer; 0 for k < 0 or k > n >= 0.
Real binomialCoefficient(long long n, long long k);

// Regularised lower (P) and upper (Q) incomplete gamma functions with the
// domain rules of the exported IGamma / JGamma.
Real lowerGamma(Real a, Real x);
Real upperGamma(Real a, Real x);
Real gammaSeries(Real a, Real x);
Real gammaFraction(Real a, Real x);

Complex gammaSeries(Real a, Complex z);
Complex gammaFraction(Real a, Complex z);

// Regularised incomplete beta I_x(a, b).
Real betaIncomplete(Real x, Real a, Real b);

Real erf(Real x);
Real erfc(Real x);
Real erfInv(Real y);

Complex lnGamma(Complex z);

// Iteration ceiling of the series and continued fractions: ample for every
// shape parameter up to about 1e8, and the reason no argument can hang a call.
inline constexpr long maxIterations = 100000;

} // namespace probability::special

#endif
