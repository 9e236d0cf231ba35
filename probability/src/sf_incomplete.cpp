// Regularised incomplete gamma (real and complex) and incomplete beta.
//
// The series and continued fractions stop at their tolerance; in addition
// every loop has a ceiling and a NaN operand returns a NaN at once, so that no
// argument, finite or not, can keep a caller waiting forever.
#include "probability.h"
#include "sf_internal.h"

#include <cmath>
#include <limits>

namespace prob {
namespace {

constexpr Ext epsilon = 2.220446049250313e-16L;
constexpr Ext minNormal = 2.2250738585072014e-308L;

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

// e^(a ln x - x - lnGamma(a)), the common factor of both forms.
Ext gammaPrefactor(Ext a, Ext x) {
    return std::exp(a * std::log(x) - x - lnGammaOf(a));
}

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
        if (std::fabs(delta - 1) < epsilon)
            return h;
        if (std::isnan(delta))
            break;
    }
    return kNanExt;
}

} // namespace

Ext gammaSeries(Ext a, Ext x) {
    if (std::isnan(a) || std::isnan(x))
        return kNanExt;
    Ext d = 1 / a;
    Ext sum = d;
    Ext p = a;
    for (long i = 0; i < maxIterations; ++i) {
        p += 1;
        d *= x / p;
        sum += d;
        if (!(std::fabs(d) >= epsilon * std::fabs(sum)) || d == 0)
            return sum * gammaPrefactor(a, x);
    }
    return kNanExt;
}

Ext gammaFraction(Ext a, Ext x) {
    if (std::isnan(a) || std::isnan(x))
        return kNanExt;
    Ext b = x + 1 - a;
    Ext c = 1 / minNormal;
    Ext d = 1 / b;
    Ext h = d;
    for (long i = 1; i <= maxIterations; ++i) {
        const Ext an = -i * (i - a);
        b += 2;
        d = 1.0L / guard(an * d + b);
        c = guard(b + an / c);
        const Ext delta = d * c;
        h *= delta;
        if (std::fabs(delta - 1) < epsilon)
            return gammaPrefactor(a, x) * h;
        if (std::isnan(delta))
            break;
    }
    return kNanExt;
}

Ext lowerGamma(Ext a, Ext x) {
    if (std::isnan(a) || std::isnan(x))
        return kNanExt;
    if (!(a > 0 && x > 0))
        return 0;
    // The limits the series and fraction cannot reach by themselves.
    if (std::isinf(x))
        return std::isinf(a) ? kNanExt : 1;
    if (std::isinf(a))
        return 0;
    return x < a + 1 ? gammaSeries(a, x) : 1 - gammaFraction(a, x);
}

Ext upperGamma(Ext a, Ext x) {
    if (std::isnan(a) || std::isnan(x))
        return kNanExt;
    if (a <= 0 || x < 0)
        return 0;
    if (x == 0)
        return 1;
    if (std::isinf(x))
        return std::isinf(a) ? kNanExt : 0;
    if (std::isinf(a))
        return 1;
    return x < a + 1 ? 1 - gammaSeries(a, x) : gammaFraction(a, x);
}

Complex gammaSeries(Ext a, Complex z) {
    if (std::isnan(a) || isNan(z))
        return {kNanExt, kNanExt};
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
    return {kNanExt, kNanExt};
}

Complex gammaFraction(Ext a, Complex z) {
    if (std::isnan(a) || isNan(z))
        return {kNanExt, kNanExt};
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
    return {kNanExt, kNanExt};
}

Ext betaIncomplete(Ext x, Ext a, Ext b) {
    if (std::isnan(x) || std::isnan(a) || std::isnan(b))
        return kNanExt;
    if (!(a > 0 && b > 0 && x >= 0 && x <= 1))
        return 0;
    if (x == 0 || x == 1)
        return x;
    const Ext f = std::exp(lnGamma(a + b) - lnGamma(a) - lnGamma(b) + a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1) / (a + b + 2))
        return f * betaFraction(a, b, x) / a;
    return 1 - f * betaFraction(b, a, 1 - x) / b;
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
