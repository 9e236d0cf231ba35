// Regularised incomplete gamma (real and complex) and incomplete beta.
//
// The series and continued fractions stop at their tolerance; in addition
// every loop has a ceiling and a NaN operand returns a NaN at once, so that no
// argument, finite or not, can keep a caller waiting forever.
#include "probability.h"
#include "sf_internal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace probability::special {
namespace {

constexpr Real epsilon = 2.220446049250313e-16L;
// Tolerances of the real forms, which work in 80 bits: a series stops when
// its terms no longer reach the last bit, a continued fraction when its
// factors are 1 to within the rounding noise of the extended format.
constexpr Real seriesTolerance = 1e-20L;
constexpr Real fractionTolerance = 1e-18L;
constexpr Real minNormal = 2.2250738585072014e-308L;
constexpr Real nan = std::numeric_limits<Real>::quiet_NaN();
constexpr Real pi = 3.14159265358979323846264338327950288L;

Real guard(Real v) {
    return std::fabs(v) < minNormal ? minNormal : v;
}

Complex guard(Complex v) {
    return std::abs(v) < minNormal ? Complex(minNormal, 0) : v;
}

// lnGamma(a), remembered for a = 1/2, the order of erf and erfc.
Real lnGammaOf(Real a) {
    static const Real half = lnGamma(0.5L);
    return a == 0.5L ? half : lnGamma(a);
}

constexpr Real lnSqrtTwoPi = 0.91893853320467274178032973640561764L;

} // namespace

// x^a e^-x / Gamma(a), the common factor of both forms. For large a the
// exponent a ln x - x - ln Gamma(a) is a difference of numbers near a ln a
// whose rounding alone would cost the result all its digits; by Stirling's
// formula it is -a (d - ln(1 + d)) + ln sqrt(a / 2 pi) - remainder(a) with
// d = (x - a) / a, whose first term is as small as the result is large.
Real gammaPrefactor(Real a, Real x) {
    if (a < 10)
        return std::exp(a * std::log(x) - x - lnGammaOf(a));
    const Real d = (x - a) / a;
    // Far from the mean the logarithm directly: d would have rounded away
    // the digits of 1 + d.
    const Real lnPowers = std::fabs(d) < 0.5L ? -a * lnOnePlusRemainder(d) : a * std::log(x / a) + (a - x);
    return std::exp(lnPowers + 0.5L * std::log(a) - lnSqrtTwoPi - stirlingRemainder(a));
}

namespace {

Complex gammaPrefactor(Real a, Complex z) {
    return std::exp(a * std::log(z) - z - lnGammaOf(a));
}

bool isNan(Complex z) {
    return std::isnan(z.real()) || std::isnan(z.imag());
}

// Continued fraction of the incomplete beta by the modified Lentz method.
Real betaFraction(Real a, Real b, Real x) {
    Real c = 1;
    Real d = 1 / guard(1 - (a + b) * x / (a + 1));
    Real h = d;
    for (long m = 1; m <= maxIterations; ++m) {
        Real aa = m * (b - m) * x / ((a - 1 + 2 * m) * (a + 2 * m));
        d = 1 / guard(1 + aa * d);
        c = guard(1 + aa / c);
        h *= d * c;
        aa = -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 1 + 2 * m));
        d = 1 / guard(1 + aa * d);
        c = guard(1 + aa / c);
        const Real delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < fractionTolerance)
            return h;
        if (std::isnan(delta))
            break;
    }
    return nan;
}

// The series of P(a, x) without its prefactor: sum of x^n / (a (a+1) ... (a+n)).
Real lowerSeries(Real a, Real x) {
    Real d = 1 / a;
    Real sum = d;
    Real p = a;
    for (long i = 0; i < maxIterations; ++i) {
        p += 1;
        d *= x / p;
        sum += d;
        if (!(std::fabs(d) >= seriesTolerance * std::fabs(sum)) || d == 0)
            return sum;
    }
    return nan;
}

// The continued fraction of Q(a, x) without its prefactor, by the modified
// Lentz method (every denominator guarded, the first one too: x + 1 - a is
// zero for x = a - 1).
Real upperFraction(Real a, Real x) {
    Real b = x + 1 - a;
    Real c = 1 / minNormal;
    Real d = 1 / guard(b);
    Real h = d;
    for (long i = 1; i <= maxIterations; ++i) {
        const Real an = -i * (i - a);
        b += 2;
        d = 1.0L / guard(an * d + b);
        c = guard(b + an / c);
        const Real delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < fractionTolerance)
            return h;
        if (std::isnan(delta))
            break;
    }
    return nan;
}

} // namespace

Tails gammaTails(Real a, Real x) {
    // The series below a + 1 and the fraction above both converge fast and
    // each gives the smaller of the two tails directly.
    if (x < a + 1) {
        const Real p = lowerSeries(a, x) * gammaPrefactor(a, x);
        return {p, 1 - p};
    }
    const Real q = upperFraction(a, x) * gammaPrefactor(a, x);
    return {1 - q, q};
}

namespace {

bool insideGammaDomain(Real a, Real x) {
    return a > 0 && x > 0 && std::isfinite(a) && std::isfinite(x);
}

} // namespace

// The series form as the library has always stated it, for every argument;
// inside the domain of P it is P itself, taken the accurate way.
Real gammaSeries(Real a, Real x) {
    if (std::isnan(a) || std::isnan(x))
        return nan;
    if (insideGammaDomain(a, x))
        return gammaTails(a, x).lower;
    const Real sum = lowerSeries(a, x);
    return sum * std::exp(a * std::log(x) - x - lnGammaOf(a));
}

// The continued-fraction form of Q, likewise.
Real gammaFraction(Real a, Real x) {
    if (std::isnan(a) || std::isnan(x))
        return nan;
    if (insideGammaDomain(a, x))
        return gammaTails(a, x).upper;
    const Real h = upperFraction(a, x);
    return std::exp(a * std::log(x) - x - lnGammaOf(a)) * h;
}

Real lowerGamma(Real a, Real x) {
    if (std::isnan(a) || std::isnan(x))
        return nan;
    if (!(a > 0 && x > 0))
        return 0;
    // The limits the series and fraction cannot reach by themselves.
    if (std::isinf(x))
        return std::isinf(a) ? nan : 1;
    if (std::isinf(a))
        return 0;
    return gammaTails(a, x).lower;
}

Real upperGamma(Real a, Real x) {
    if (std::isnan(a) || std::isnan(x))
        return nan;
    if (a <= 0 || x < 0)
        return 0;
    if (x == 0)
        return 1;
    if (std::isinf(x))
        return std::isinf(a) ? nan : 0;
    if (std::isinf(a))
        return 1;
    return gammaTails(a, x).upper;
}

Complex gammaSeries(Real a, Complex z) {
    if (std::isnan(a) || isNan(z))
        return {nan, nan};
    Complex d = 1.0L / Complex(a);
    Complex sum = d;
    Real p = a;
    for (long i = 0; i < maxIterations; ++i) {
        p += 1;
        d *= z / p;
        sum += d;
        if (!(std::abs(d) >= epsilon * std::abs(sum)) || d == Complex(0))
            return sum * gammaPrefactor(a, z);
    }
    return {nan, nan};
}

Complex gammaFraction(Real a, Complex z) {
    if (std::isnan(a) || isNan(z))
        return {nan, nan};
    Complex b = z + (1 - a);
    Complex c = 1 / minNormal;
    Complex d = 1.0L / b;
    Complex h = d;
    for (long i = 1; i <= maxIterations; ++i) {
        const Real an = -i * (i - a);
        b += 2;
        d = 1.0L / guard(an * d + b);
        c = guard(b + an / c);
        const Complex delta = d * c;
        h *= delta;
        if (std::abs(delta - 1.0L) < epsilon)
            return gammaPrefactor(a, z) * h;
        if (isNan(delta))
            break;
    }
    return {nan, nan};
}

namespace {

// ln x accurately when x = 1 - y with y exact: one of x and y is always
// exact (the caller's argument), the other formed by a subtraction.
Real lnOfComplement(Real x, Real y) {
    return y < 0.5L ? std::log1p(-y) : std::log(x);
}

// x^a y^b / B(a, b), the prefactor of both continued fractions. The plain
// exponent a ln x + b ln y - ln B(a, b) loses digits in proportion to its
// terms; by Stirling's formula the large logarithms cancel analytically.
} // namespace

Real betaPrefactor(Real x, Real y, Real a, Real b) {
    const Real lnX = lnOfComplement(x, y), lnY = lnOfComplement(y, x);
    const Real s = a + b;
    if (a < 10 && b < 10)
        return std::exp(a * lnX + b * lnY) / beta(a, b);
    if (a >= 10 && b >= 10) {
        // a ln(x s/a) + b ln(y s/b) with e = x s - a, formed from x alone:
        // near the mean -a r(e/a) - b r(-e/b), r(d) = d - ln(1 + d), where
        // the large terms e and -e cancel analytically; away from it the
        // logarithms directly.
        const Real e = x * s - a;
        const Real lnPowers = std::fabs(e) < 0.5L * std::min(a, b)
                                  ? -a * lnOnePlusRemainder(e / a) - b * lnOnePlusRemainder(-e / b)
                                  : a * (lnX + std::log1p(b / a)) + b * (lnY + std::log1p(a / b));
        return std::sqrt(a * b / (2 * pi * s)) *
               std::exp(lnPowers + stirlingRemainder(s) - stirlingRemainder(a) - stirlingRemainder(b));
    }
    // One small shape c with variable u, one large shape g with variable v:
    // u^c v^g Gamma(c + g) / (Gamma(c) Gamma(g)) with the ratio of the large
    // gamma functions by Stirling's formula.
    const bool aSmall = a < 10;
    const Real c = aSmall ? a : b, g = aSmall ? b : a;
    const Real lnV = aSmall ? lnY : lnX;
    const Real u = aSmall ? x : y;
    const Real lnTerms = c * std::log(u * s) + g * lnV + (g - 0.5L) * std::log1p(c / g) - c +
                         stirlingRemainder(s) - stirlingRemainder(g);
    return std::exp(lnTerms) / gamma(c);
}

Tails betaTails(Real x, Real y, Real a, Real b) {
    const Real f = betaPrefactor(x, y, a, b);
    const auto lowerTail = [&] {
        return f * betaFraction(a, b, x) / a;
    };
    const auto upperTail = [&] {
        return f * betaFraction(b, a, y) / b;
    };
    // Each fraction converges fast on its own side of the mean, but near
    // its variable's end (x near 1 for the lower one, y near 1 for the
    // upper) its partial denominators cancel by about 1/(1 - variable).
    // There the other fraction is taken instead when its complement cancels
    // less, provided its own shape is small and its variable lies within a
    // factor 4 of its side (elsewhere its convergents are not to be trusted).
    const bool lowerSide = x < (a + 1) / (a + b + 2);
    const Real end = lowerSide ? y : x;
    const bool otherHolds =
        lowerSide ? b < 10 && y * (a + b + 2) < 4 * (b + 1) : a < 10 && x * (a + b + 2) < 4 * (a + 1);
    if (end < 0.1L && otherHolds) {
        const Real other = lowerSide ? upperTail() : lowerTail();
        if (other / (1 - other) < 1 / end)
            return lowerSide ? Tails{1 - other, other} : Tails{other, 1 - other};
    }
    if (lowerSide) {
        const Real lower = lowerTail();
        return {lower, 1 - lower};
    }
    const Real upper = upperTail();
    return {1 - upper, upper};
}

Real betaIncomplete(Real x, Real a, Real b) {
    if (std::isnan(x) || std::isnan(a) || std::isnan(b))
        return nan;
    if (!(a > 0 && b > 0 && x >= 0 && x <= 1))
        return 0;
    if (x == 0 || x == 1)
        return x;
    return betaTails(x, 1 - x, a, b).lower;
}

} // namespace probability::special

namespace {

using namespace probability::special;

void store(Cplx* r, Complex v) {
    r->Re = static_cast<double>(v.real());
    r->Im = static_cast<double>(v.imag());
}

Complex load(const Cplx* z) {
    return {z->Re, z->Im};
}

} // namespace

double GammaSer_Double(double a, double x) {
    return static_cast<double>(gammaSeries(Real(a), Real(x)));
}

double GammaFrac_Double(double a, double x) {
    return static_cast<double>(gammaFraction(Real(a), Real(x)));
}

double IGamma_Double(double a, double x) {
    return static_cast<double>(lowerGamma(a, x));
}

double JGamma_Double(double a, double x) {
    return static_cast<double>(upperGamma(a, x));
}

double BetaIncomplete_Double(double x, double a, double b) {
    return static_cast<double>(betaIncomplete(x, a, b));
}

void GammaSer_Cplx(Cplx* r, double a, const Cplx* z) {
    store(r, gammaSeries(Real(a), load(z)));
}

void GammaFrac_Cplx(Cplx* r, double a, const Cplx* z) {
    store(r, gammaFraction(Real(a), load(z)));
}

void IGamma_Cplx(Cplx* r, double a, const Cplx* z) {
    const Complex zz = load(z);
    if (std::isnan(a) || std::isnan(zz.real()) || std::isnan(zz.imag()))
        store(r, {std::numeric_limits<Real>::quiet_NaN(), std::numeric_limits<Real>::quiet_NaN()});
    else if (a <= 0 || zz == Complex(0))
        store(r, 0);
    else if (zz.real() < a + 1.0L)
        store(r, gammaSeries(Real(a), zz));
    else
        store(r, Real(1) - gammaFraction(Real(a), zz));
}

void JGamma_Cplx(Cplx* r, double a, const Cplx* z) {
    const Complex zz = load(z);
    if (std::isnan(a) || std::isnan(zz.real()) || std::isnan(zz.imag()))
        store(r, {std::numeric_limits<Real>::quiet_NaN(), std::numeric_limits<Real>::quiet_NaN()});
    else if (!(a > 0 && zz.real() >= 0))
        store(r, 0);
    else if (zz == Complex(0))
        store(r, 1);
    else if (zz.real() < a + 1.0L)
        store(r, Real(1) - gammaSeries(Real(a), zz));
    else
        store(r, gammaFraction(Real(a), zz));
}
