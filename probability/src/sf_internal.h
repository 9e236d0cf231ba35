// Extended-precision cores of the special functions. The exported entry
// points round to double only on return; the distributions call these cores
// directly so that their own arithmetic stays in 80-bit precision too.
#ifndef PROBABILITY_SPECIAL_INTERNAL_H
#define PROBABILITY_SPECIAL_INTERNAL_H

#include "constants.h"

#include <complex>

namespace prob {

using Complex = std::complex<Ext>;

// Sign of Gamma(x): 1 for x > 0, else +1 when |x| truncated is odd, -1 when even.
int gammaSign(Ext x);
Ext gamma(Ext x);
Ext lnGamma(Ext x);
// ln|Gamma(x)| for x <= 0.03125 in magnitude after the recurrence, used by both routines.
Ext smallGamma(Ext z, Ext x);

// The binomial coefficient by the product (n - b + 1) / b over b = 2..k,
// rounded to the nearest integer; 0 for k < 0 or k > n >= 0.
Ext binomialCoefficient(long long n, long long k);

// Regularised lower (P) and upper (Q) incomplete gamma functions with the
// domain rules of the exported IGamma / JGamma.
Ext lowerGamma(Ext a, Ext x);
Ext upperGamma(Ext a, Ext x);
Ext gammaSeries(Ext a, Ext x);
Ext gammaFraction(Ext a, Ext x);

Complex gammaSeries(Ext a, Complex z);
Complex gammaFraction(Ext a, Complex z);

// Regularised incomplete beta I_x(a, b).
Ext betaIncomplete(Ext x, Ext a, Ext b);

Ext erf(Ext x);
Ext erfc(Ext x);
Ext erfInv(Ext y);

Complex lnGamma(Complex z);

// Iteration ceiling of the series and continued fractions: ample for every
// shape parameter up to about 1e8, and the reason no argument can hang a call.
inline constexpr long maxIterations = 100000;

} // namespace prob

#endif
