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

namespace prob {
namespace {

constexpr Ext epsilon = 2.220446049250313e-16L;
// Tolerances of the real forms, which work in 80 bits: a series stops when
// its terms no longer reach the last bit, a continued fraction when its
// factors are 1 to within the rounding noise of the extended format.
constexpr Ext seriesTolerance = 1e-20L;
constexpr Ext fractionTolerance = 1e-18L;
constexpr Ext minNormal = 2.2250738585072014e-308L;
constexpr Ext nan = std::numeric_limits<Ext>::quiet_NaN();

Ext guard(Ext v) {
    return std::fabs(v) < minNormal ? minNormal : v;
}

Complex guard(Complex v) {
    return std::abs(v) < minNormal ? Complex(minNormal, 0) : v;
}

// lnGamma(a), remembered for a = 1/2, the order of erf and erfc.
Ext lnGammaOf(Ext a) {
    static const Ext half = lnGamma(0.5L);
    return a == 0.5L ? half : lnGamma(a);
}

} // namespace

// x^a e^-x / Gamma(a), the common factor of both forms. For large a the
// exponent a ln x - x - ln Gamma(a) is a difference of numbers near a ln a
// whose rounding alone would cost the result all its digits; by Stirling's
// formula it is -a (d - ln(1 + d)) + ln sqrt(a / 2 kPi) - remainder(a) with
// d = (x - a) / a, whose first term is as small as the result is large.
Ext gammaPrefactor(Ext a, Ext x) {
    if (a < 10)
        return std::exp(a * std::log(x) - x - lnGammaOf(a));
    const Ext d = (x - a) / a;
    // Far from the mean the logarithm directly: d would have rounded away
    // the digits of 1 + d.
    const Ext lnPowers = std::fabs(d) < 0.5L ? -a * lnOnePlusRemainder(d) : a * std::log(x / a) + (a - x);
    return std::exp(lnPowers + 0.5L * std::log(a) - kLnSqrtTwoPi - stirlingRemainder(a));
}

namespace {

Complex gammaPrefactor(Ext a, Complex z) {
    return std::exp(a * std::log(z) - z - lnGammaOf(a));
}

bool isNan(Complex z) {
    return std::isnan(z.real()) || std::isnan(z.imag());
}

// Continued fraction of the incomplete beta by the modified Lentz method.
Ext betaFraction(Ext a, Ext b, Ext x) {
    Ext c = 1;
    Ext d = 1 / guard(1 - (a + b) * x / (a + 1));
    Ext h = d;
    for (long m = 1; m <= maxIterations; ++m) {
        Ext aa = m * (b - m) * x / ((a - 1 + 2 * m) * (a + 2 * m));
        d = 1 / guard(1 + aa * d);
        c = guard(1 + aa / c);
        h *= d * c;
        aa = -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 1 + 2 * m));
        d = 1 / guard(1 + aa * d);
        c = guard(1 + aa / c);
        const Ext delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < fractionTolerance)
            return h;
        if (std::isnan(delta))
            break;
    }
    return nan;
}

// The series of P(a, x) without its prefactor: sum of x^n / (a (a+1) ... (a+n)).
Ext lowerSeries(Ext a, Ext x) {
    Ext d = 1 / a;
    Ext sum = d;
    Ext p = a;
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
Ext upperFraction(Ext a, Ext x) {
    Ext b = x + 1 - a;
    Ext c = 1 / minNormal;
    Ext d = 1 / guard(b);
    Ext h = d;
    for (long i = 1; i <= maxIterations; ++i) {
        const Ext an = -i * (i - a);
        b += 2;
        d = 1.0L / guard(an * d + b);
        c = guard(b + an / c);
        const Ext delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < fractionTolerance)
            return h;
        if (std::isnan(delta))
            break;
    }
    return nan;
}

} // namespace

Tails gammaTails(Ext a, Ext x) {
    // The series below a + 1 and the fraction above both converge fast and
    // each gives the smaller of the two tails directly.
    if (x < a + 1) {
        const Ext p = lowerSeries(a, x) * gammaPrefactor(a, x);
        return {p, 1 - p};
    }
    const Ext q = upperFraction(a, x) * gammaPrefactor(a, x);
    return {1 - q, q};
}

namespace {

bool insideGammaDomain(Ext a, Ext x) {
    return a > 0 && x > 0 && std::isfinite(a) && std::isfinite(x);
}

} // namespace

// The series form as the library has always stated it, for every argument;
// inside the domain of P it is P itself, taken the accurate way.
Ext gammaSeries(Ext a, Ext x) {
    if (std::isnan(a) || std::isnan(x))
        return nan;
    if (insideGammaDomain(a, x))
        return gammaTails(a, x).lower;
    const Ext sum = lowerSeries(a, x);
    return sum * std::exp(a * std::log(x) - x - lnGammaOf(a));
}

// The continued-fraction form of Q, likewise.
Ext gammaFraction(Ext a, Ext x) {
    if (std::isnan(a) || std::isnan(x))
        return nan;
    if (insideGammaDomain(a, x))
        return gammaTails(a, x).upper;
    const Ext h = upperFraction(a, x);
    return std::exp(a * std::log(x) - x - lnGammaOf(a)) * h;
}

Ext lowerGamma(Ext a, Ext x) {
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

Ext upperGamma(Ext a, Ext x) {
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

Complex gammaSeries(Ext a, Complex z) {
    if (std::isnan(a) || isNan(z))
        return {nan, nan};
    Complex d = 1.0L / Complex(a);
    Complex sum = d;
    Ext p = a;
    for (long i = 0; i < maxIterations; ++i) {
        p += 1;
        d *= z / p;
        sum += d;
        if (!(std::abs(d) >= epsilon * std::abs(sum)) || d == Complex(0))
            return sum * gammaPrefactor(a, z);
    }
    return {nan, nan};
}

Complex gammaFraction(Ext a, Complex z) {
    if (std::isnan(a) || isNan(z))
        return {nan, nan};
    Complex b = z + (1 - a);
    Complex c = 1 / minNormal;
    Complex d = 1.0L / b;
    Complex h = d;
    for (long i = 1; i <= maxIterations; ++i) {
        const Ext an = -i * (i - a);
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
Ext lnOfComplement(Ext x, Ext y) {
    return y < 0.5L ? std::log1p(-y) : std::log(x);
}

// x^a y^b / B(a, b), the prefactor of both continued fractions. The plain
// exponent a ln x + b ln y - ln B(a, b) loses digits in proportion to its
// terms; by Stirling's formula the large logarithms cancel analytically.
} // namespace

Ext betaPrefactor(Ext x, Ext y, Ext a, Ext b) {
    const Ext lnX = lnOfComplement(x, y), lnY = lnOfComplement(y, x);
    const Ext s = a + b;
    if (a < 10 && b < 10)
        return std::exp(a * lnX + b * lnY) / beta(a, b);
    if (a >= 10 && b >= 10) {
        // a ln(x s/a) + b ln(y s/b) with e = x s - a, formed from x alone:
        // near the mean -a r(e/a) - b r(-e/b), r(d) = d - ln(1 + d), where
        // the large terms e and -e cancel analytically; away from it the
        // logarithms directly.
        const Ext e = x * s - a;
        const Ext lnPowers = std::fabs(e) < 0.5L * std::min(a, b)
                                 ? -a * lnOnePlusRemainder(e / a) - b * lnOnePlusRemainder(-e / b)
                                 : a * (lnX + std::log1p(b / a)) + b * (lnY + std::log1p(a / b));
        return std::sqrt(a * b / (2 * kPi * s)) *
               std::exp(lnPowers + stirlingRemainder(s) - stirlingRemainder(a) - stirlingRemainder(b));
    }
    // One small shape c with variable u, one large shape g with variable v:
    // u^c v^g Gamma(c + g) / (Gamma(c) Gamma(g)) with the ratio of the large
    // gamma functions by Stirling's formula.
    const bool aSmall = a < 10;
    const Ext c = aSmall ? a : b, g = aSmall ? b : a;
    const Ext lnV = aSmall ? lnY : lnX;
    const Ext u = aSmall ? x : y;
    const Ext lnTerms = c * std::log(u * s) + g * lnV + (g - 0.5L) * std::log1p(c / g) - c +
                        stirlingRemainder(s) - stirlingRemainder(g);
    return std::exp(lnTerms) / gamma(c);
}

Tails betaTails(Ext x, Ext y, Ext a, Ext b) {
    const Ext f = betaPrefactor(x, y, a, b);
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
    const Ext end = lowerSide ? y : x;
    const bool otherHolds =
        lowerSide ? b < 10 && y * (a + b + 2) < 4 * (b + 1) : a < 10 && x * (a + b + 2) < 4 * (a + 1);
    if (end < 0.1L && otherHolds) {
        const Ext other = lowerSide ? upperTail() : lowerTail();
        if (other / (1 - other) < 1 / end)
            return lowerSide ? Tails{1 - other, other} : Tails{other, 1 - other};
    }
    if (lowerSide) {
        const Ext lower = lowerTail();
        return {lower, 1 - lower};
    }
    const Ext upper = upperTail();
    return {1 - upper, upper};
}

Ext betaIncomplete(Ext x, Ext a, Ext b) {
    if (std::isnan(x) || std::isnan(a) || std::isnan(b))
        return nan;
    if (!(a > 0 && b > 0 && x >= 0 && x <= 1))
        return 0;
    if (x == 0 || x == 1)
        return x;
    return betaTails(x, 1 - x, a, b).lower;
}

} // namespace prob

namespace {

using namespace prob;

void store(Cplx* r, Complex v) {
    r->Re = static_cast<double>(v.real());
    r->Im = static_cast<double>(v.imag());
}

Complex load(const Cplx* z) {
    return {z->Re, z->Im};
}

} // namespace

double GammaSer_Double(double a, double x) {
    return static_cast<double>(gammaSeries(Ext(a), Ext(x)));
}

double GammaFrac_Double(double a, double x) {
    return static_cast<double>(gammaFraction(Ext(a), Ext(x)));
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
    store(r, gammaSeries(Ext(a), load(z)));
}

void GammaFrac_Cplx(Cplx* r, double a, const Cplx* z) {
    store(r, gammaFraction(Ext(a), load(z)));
}

void IGamma_Cplx(Cplx* r, double a, const Cplx* z) {
    const Complex zz = load(z);
    if (std::isnan(a) || std::isnan(zz.real()) || std::isnan(zz.imag()))
        store(r, {std::numeric_limits<Ext>::quiet_NaN(), std::numeric_limits<Ext>::quiet_NaN()});
    else if (a <= 0 || zz == Complex(0))
        store(r, 0);
    else if (zz.real() < a + 1.0L)
        store(r, gammaSeries(Ext(a), zz));
    else
        store(r, Ext(1) - gammaFraction(Ext(a), zz));
}

void JGamma_Cplx(Cplx* r, double a, const Cplx* z) {
    const Complex zz = load(z);
    if (std::isnan(a) || std::isnan(zz.real()) || std::isnan(zz.imag()))
        store(r, {std::numeric_limits<Ext>::quiet_NaN(), std::numeric_limits<Ext>::quiet_NaN()});
    else if (!(a > 0 && zz.real() >= 0))
        store(r, 0);
    else if (zz == Complex(0))
        store(r, 1);
    else if (zz.real() < a + 1.0L)
        store(r, Ext(1) - gammaSeries(Ext(a), zz));
    else
        store(r, gammaFraction(Ext(a), zz));
}
