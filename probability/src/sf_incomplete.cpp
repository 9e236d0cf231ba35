// Regularised incomplete gamma (real and complex) and incomplete beta.
//
// The series and continued fractions stop at their tolerance; in addition
// every loop has a ceiling and a NaN operand returns a NaN at once, so that no
// argument, finite or not, can keep a caller waiting forever.
#include "probability.h"
#include "sf_internal.h"

#include <cmath>
#include <limits>

namespace probability::special {
namespace {

constexpr Real epsilon = 2.220446049250313e-16L;
constexpr Real minNormal = 2.2250738585072014e-308L;
constexpr Real nan = std::numeric_limits<Real>::quiet_NaN();

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

// e^(a ln x - x - lnGamma(a)), the common factor of both forms.
Real gammaPrefactor(Real a, Real x) {
    return std::exp(a * std::log(x) - x - lnGammaOf(a));
}

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
        if (std::fabs(delta - 1) < epsilon)
            return h;
        if (std::isnan(delta))
            break;
    }
    return nan;
}

} // namespace

Real gammaSeries(Real a, Real x) {
    if (std::isnan(a) || std::isnan(x))
        return nan;
    Real d = 1 / a;
    Real sum = d;
    Real p = a;
    for (long i = 0; i < maxIterations; ++i) {
        p += 1;
        d *= x / p;
        sum += d;
        if (!(std::fabs(d) >= epsilon * std::fabs(sum)) || d == 0)
            return sum * gammaPrefactor(a, x);
    }
    return nan;
}

Real gammaFraction(Real a, Real x) {
    if (std::isnan(a) || std::isnan(x))
        return nan;
    Real b = x + 1 - a;
    Real c = 1 / minNormal;
    Real d = 1 / b;
    Real h = d;
    for (long i = 1; i <= maxIterations; ++i) {
        const Real an = -i * (i - a);
        b += 2;
        d = 1.0L / guard(an * d + b);
        c = guard(b + an / c);
        const Real delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < epsilon)
            return gammaPrefactor(a, x) * h;
        if (std::isnan(delta))
            break;
    }
    return nan;
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
    return x < a + 1 ? gammaSeries(a, x) : 1 - gammaFraction(a, x);
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
    return x < a + 1 ? 1 - gammaSeries(a, x) : gammaFraction(a, x);
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

Real betaIncomplete(Real x, Real a, Real b) {
    if (std::isnan(x) || std::isnan(a) || std::isnan(b))
        return nan;
    if (!(a > 0 && b > 0 && x >= 0 && x <= 1))
        return 0;
    if (x == 0 || x == 1)
        return x;
    const Real f = std::exp(lnGamma(a + b) - lnGamma(a) - lnGamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2))
        return f * betaFraction(a, b, x) / a;
    return 1 - f * betaFraction(b, a, 1 - x) / b;
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
