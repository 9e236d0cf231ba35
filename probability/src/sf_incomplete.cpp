// Regularised incomplete gamma (real and complex) and incomplete beta.
//
// The series and continued fractions stop at their tolerance; in addition
// every loop has a ceiling and a NaN operand returns a NaN at once, so that no
// argument, finite or not, can keep a caller waiting forever.
#include "probability.h"
#include "sf_internal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace prob {
namespace {

// Tolerances of the real forms, which work in 80 bits: a series stops when
// its terms no longer reach the last bit, a continued fraction when its
// factors are 1 to within the rounding noise of the extended format.
constexpr Ext seriesTolerance = 1e-20L;
constexpr Ext fractionTolerance = 1e-18L;
constexpr Ext minNormal = 2.2250738585072014e-308L;
// The largest shape parameter whose series and fractions finish within
// maxIterations terms wherever they are slow.
constexpr Ext largestShape = 1e11L;
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
// formula it is -a (d - ln(1 + d)) + ln sqrt(a / 2 pi) - remainder(a) with
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

// d - ln(1 + d) for complex |d| < 1/2, without cancellation: with
// w = d / (2 + d), ln(1 + d) = 2 atanh w, so d - ln(1 + d) = d w - 2 (w^3/3 + w^5/5 + ...),
// |w| <= 1/3.
Complex lnOnePlusRemainder(Complex d) {
    const Complex w = d / (Ext(2) + d), w2 = w * w;
    Complex power = w * w2, sum = 0;
    for (int k = 3; std::abs(power) > seriesTolerance * std::abs(sum) * k; k += 2) {
        sum += power / Ext(k);
        power *= w2;
    }
    return d * w - Ext(2) * sum;
}

// ln(z^a e^-z / Gamma(a)) on the principal branch, by Stirling's formula
// for large a as in the real form: there a ln z - z - ln Gamma(a) would
// lose the digits of the result (its modulus) and of its phase.
Complex lnGammaPrefactor(Ext a, Complex z) {
    if (a < 10)
        return a * std::log(z) - z - lnGammaOf(a);
    const Complex d = (z - a) / a;
    const Complex lnPowers = std::abs(d) < 0.5L ? -a * lnOnePlusRemainder(d) : a * std::log(z / a) + (a - z);
    return lnPowers + (0.5L * std::log(a) - kLnSqrtTwoPi - stirlingRemainder(a));
}

bool isNan(Ext v) {
    return std::isnan(v);
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

// The series of P(a, x) without its prefactor: sum of x^n / (a (a+1) ... (a+n)),
// for a real or complex x.
template <typename T> T lowerSeries(Ext a, T x) {
    T d = 1 / a;
    T sum = d;
    Ext p = a;
    for (long i = 0; i < maxIterations; ++i) {
        p += 1;
        d *= x / p;
        sum += d;
        if (!(std::abs(d) >= seriesTolerance * std::abs(sum)) || d == T(0))
            return sum;
        // An infinite term (of an infinite x) stays so: no sum to wait for.
        if (std::isinf(std::abs(d)))
            break;
    }
    return T(nan);
}

// The continued fraction of Q(a, x) without its prefactor, by the modified
// Lentz method (every denominator guarded, the first one too: x + 1 - a is
// zero for x = a - 1), for a real or complex x off the negative axis.
template <typename T> T upperFraction(Ext a, T x) {
    T b = x + (1 - a);
    T c = 1 / minNormal;
    T d = Ext(1) / guard(b);
    T h = d;
    for (long i = 1; i <= maxIterations; ++i) {
        const Ext an = -i * (i - a);
        b += Ext(2);
        d = Ext(1) / guard(an * d + b);
        c = guard(b + an / c);
        const T delta = d * c;
        h *= delta;
        if (std::abs(delta - Ext(1)) < fractionTolerance)
            return h;
        if (isNan(delta))
            break;
    }
    return T(nan);
}

// Kummer's form of the series of P: P(a, z) = z^a / Gamma(a) times the sum
// of (-z)^n / (n! (a + n)), whose terms keep one sign on the negative real
// axis, where those of the plain series alternate and cancel by e^(2|z|).
Complex kummerSeries(Ext a, Complex z) {
    Complex power = 1, sum = 1 / a;
    for (long n = 1; n < maxIterations; ++n) {
        power *= -z / Ext(n);
        const Complex term = power / (a + n);
        sum += term;
        if (!(std::abs(term) >= seriesTolerance * std::abs(sum)))
            return sum;
        // Terms beyond the extended range: P itself is far beyond a double's.
        if (std::isinf(std::abs(term)))
            break;
    }
    return nan;
}

} // namespace

Tails gammaTails(Ext a, Ext x) {
    // Near x = a both forms need about 10 sqrt(a) terms: beyond the ceiling
    // of the loops the answer is a NaN at once rather than after it.
    if (a > largestShape && std::fabs(x - a) < 0.5L * a)
        return {nan, nan};
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
    // Q(a, 0) = 1, where the fraction diverges beside its prefactor 0.
    if (a > 0 && x == 0)
        return 1;
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

namespace {

bool insideGammaDomain(Ext a, Complex z) {
    return a > 0 && std::isfinite(a) && std::isfinite(z.real()) && std::isfinite(z.imag()) && z != Complex(0);
}

} // namespace

// P(a, z) and Q(a, z) for a > 0 and finite z other than 0, each accurate:
// within |z| < a + 1 the series of P, whose terms fall from the first; beyond
// it the continued fraction of Q, except beside the negative real axis
// (|z| + Re z <= 1, where no fraction converges) where Kummer's series
// sums terms of one sign.
ComplexTails gammaTails(Ext a, Complex z) {
    // As in the real form: near z = a the series and fraction need more
    // terms than the loops allow.
    if (a > largestShape && std::abs(z - a) < 0.5L * a)
        return {nan, nan};
    const Complex l = lnGammaPrefactor(a, z);
    const Ext r = std::abs(z);
    if (r < a + 1) {
        const Complex p = lowerSeries(a, z) * std::exp(l);
        return {p, Ext(1) - p};
    }
    if (r + z.real() <= 1) {
        const Complex p = kummerSeries(a, z) * std::exp(l + z);
        return {p, Ext(1) - p};
    }
    const Complex q = upperFraction(a, z) * std::exp(l);
    return {Ext(1) - q, q};
}

Complex gammaSeries(Ext a, Complex z) {
    if (std::isnan(a) || isNan(z))
        return {nan, nan};
    if (insideGammaDomain(a, z))
        return gammaTails(a, z).lower;
    // Outside the domain (a <= 0, z = 0 or infinite) the stated series as it is.
    return lowerSeries(a, z) * std::exp(lnGammaPrefactor(a, z));
}

Complex gammaFraction(Ext a, Complex z) {
    if (std::isnan(a) || isNan(z))
        return {nan, nan};
    if (insideGammaDomain(a, z))
        return gammaTails(a, z).upper;
    if (a > 0 && z == Complex(0))
        return 1;
    return std::exp(lnGammaPrefactor(a, z)) * upperFraction(a, z);
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

namespace {

// The coefficients c_n of (sinh r / r)^(b - 1) = sum of c_n r^(2n), by
// J. C. P. Miller's rule for a power of a series: with sinh r / r = sum of
// r^(2k) / (2k + 1)!, c_n = (1/n) sum over k = 1..n of (k b - n) c_(n-k) / (2k + 1)!.
constexpr int expansionTerms = 30;

std::array<Ext, expansionTerms> sinhRatioPowerSeries(Ext b) {
    std::array<Ext, expansionTerms> inverseOddFactorial{}, c{};
    inverseOddFactorial[0] = c[0] = 1;
    for (int k = 1; k < expansionTerms; ++k)
        inverseOddFactorial[k] = inverseOddFactorial[k - 1] / ((2 * k) * (2 * k + 1));
    for (int n = 1; n < expansionTerms; ++n) {
        Ext sum = 0;
        for (int k = 1; k <= n; ++k)
            sum += (k * b - n) * inverseOddFactorial[k] * c[n - k];
        c[n] = sum / n;
    }
    return c;
}

// I_v(g, c) for a large shape g (>= 100) beside a small one c (< 10), with v
// near 1 (w = 1 - v below 1/10), where both continued fractions cancel.
// Temme's expansion, as DiDonato and Morris sum it (ACM TOMS 18 (1992), 360,
// their BGRAT): with l = -ln v, t = g + (c - 1)/2 and u = t l, the integral
// B(g, c) I_v(g, c) = integral over s > l of e^(-t s) s^(c-1) (sinh(s/2) / (s/2))^(c-1) ds
// taken term by term in the powers of s/2 gives
//     I_v(g, c) ~ Gamma(g + c) / (Gamma(g) t^c) sum of c_n M_n,
//     M_n = Gamma(c + 2n, u) / (Gamma(c) (2t)^(2n)), M_0 = Q(c, u),
//     M_(n+1) = ((c + 2n)(c + 2n + 1) M_n + h (l/2)^(2n) (c + 2n + 1 + u)) / (2t)^2,
// with h = u^c e^-u / Gamma(c). The terms fall at least as (l/2)^2 < 1/360 and
// as (2n)! / (2 pi t)^(2n), so a handful reach the last bit.
Ext largeShapeTail(Ext g, Ext c, Ext w) {
    const Ext l = -std::log1p(-w);
    const Ext t = g + (c - 1) / 2;
    const Ext u = t * l;
    // Gamma(g + c) / (Gamma(g) t^c) by Stirling's formula, its logarithms small.
    const Ext lnRatio = (g - 0.5L) * std::log1p(c / g) + c * std::log1p((c + 1) / (2 * t)) - c +
                        stirlingRemainder(g + c) - stirlingRemainder(g);
    const std::array<Ext, expansionTerms> coefficient = sinhRatioPowerSeries(c);
    const Ext h = prob::gammaPrefactor(c, u);
    const Ext step = (l / 2) * (l / 2), fourTSquared = 4 * t * t;
    Ext m = gammaTails(c, u).upper, power = 1, sum = m;
    for (int n = 1; n < expansionTerms; ++n) {
        const Ext e = c + 2 * (n - 1);
        m = (e * (e + 1) * m + h * power * (e + 1 + u)) / fourTSquared;
        power *= step;
        const Ext term = coefficient[n] * m;
        sum += term;
        if (std::fabs(term) < seriesTolerance * std::fabs(sum))
            break;
    }
    return std::exp(lnRatio) * sum;
}

} // namespace

Tails betaTails(Ext x, Ext y, Ext a, Ext b) {
    if (std::min(a, b) > largestShape)
        return {nan, nan};
    // One large shape beside a small one, its variable near 1 below the
    // mean: the tail at the large shape's side by the expansion, when it is
    // the smaller tail (otherwise the fraction of the other side holds).
    const bool lowerSide = x < (a + 1) / (a + b + 2);
    if (lowerSide ? a >= 100 && b < 10 && y < 0.1L : b >= 100 && a < 10 && x < 0.1L) {
        const Ext tail = lowerSide ? largeShapeTail(a, b, y) : largeShapeTail(b, a, x);
        if (tail <= 0.5L)
            return lowerSide ? Tails{tail, 1 - tail} : Tails{1 - tail, tail};
    }
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
    if (std::isnan(a) || isNan(zz))
        store(r, {prob::nan, prob::nan});
    else if (a <= 0 || zz == Complex(0))
        store(r, 0);
    else if (insideGammaDomain(a, zz))
        store(r, gammaTails(a, zz).lower);
    else if (zz.real() < a + 1.0L)
        store(r, gammaSeries(Ext(a), zz));
    else
        store(r, Ext(1) - gammaFraction(Ext(a), zz));
}

void JGamma_Cplx(Cplx* r, double a, const Cplx* z) {
    const Complex zz = load(z);
    if (std::isnan(a) || isNan(zz))
        store(r, {prob::nan, prob::nan});
    else if (!(a > 0 && zz.real() >= 0))
        store(r, 0);
    else if (zz == Complex(0))
        store(r, 1);
    else if (insideGammaDomain(a, zz))
        store(r, gammaTails(a, zz).upper);
    else if (zz.real() < a + 1.0L)
        store(r, Ext(1) - gammaSeries(Ext(a), zz));
    else
        store(r, gammaFraction(Ext(a), zz));
}
