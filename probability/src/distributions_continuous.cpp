// Densities, distribution functions and closed-form inverses of the
// continuous distributions. Differences such as 1 - e^-x are formed with
// expm1/log1p so that small results keep their relative precision.
#include "distributions_internal.h"
#include "probability.h"
#include "sf_internal.h"

#include <cmath>

namespace probability::distributions {

namespace {
constexpr Real pi = 3.14159265358979323846264338327950288L;
constexpr Real sqrtTwoPi = 2.50662827463100050241576528481104525L;
constexpr Real sqrtHalf = 0.707106781186547524400844362104849039L;
// Beyond this e^t is 1 + e^t and e^t - 1 alike to far more than 64 bits.
constexpr Real expSaturation = 64;
} // namespace

Real betaPdf(Real x, Real a, Real b) {
    if (anyNan(x, a, b) || !(a > 0 && b > 0 && x >= 0 && x <= 1))
        return nanValue;
    if ((x == 0 && a < 1) || (x == 1 && b < 1))
        return infValue;
    // x^(a-1) (1-x)^(b-1) / B(a, b) through the prefactor of the incomplete
    // beta function, which keeps its digits for large shapes.
    if (x > 0 && x < 1)
        return special::betaPrefactor(x, 1 - x, a, b) / (x * (1 - x));
    return 0;
}

Real betaCdf(Real x, Real a, Real b) {
    if (anyNan(x, a, b) || !(a > 0 && b > 0))
        return nanValue;
    if (x >= 1)
        return 1;
    if (x > 0)
        return clip(special::betaTails(x, 1 - x, a, b).lower);
    return 0;
}

Real gammaPdf(Real x, Real a, Real b) {
    if (anyNan(x, a, b) || a <= 0 || b <= 0)
        return nanValue;
    // (x/b)^a e^(-x/b) / Gamma(a) / x, the prefactor of the incomplete gamma function.
    if (x > 0)
        return special::gammaPrefactor(a, x / b) / x;
    if (x == 0 && a < 1)
        return infValue;
    if (x == 0 && a == 1)
        return 1 / b;
    return 0;
}

Real gammaCdf(Real x, Real a, Real b) {
    if (anyNan(x, a, b) || a <= 0 || b <= 0)
        return nanValue;
    return x > 0 ? clip(special::lowerGamma(a, x / b)) : 0;
}

Real normalCdfInv(Real p, Real mu, Real s) {
    if (anyNan(p, mu, s) || !(p >= 0 && p <= 1 && s > 0))
        return nanValue;
    // The limits of the support.
    if (p == 0)
        return -infValue;
    if (p == 1)
        return infValue;
    // Through the complement of erf in the tail that holds p, so that
    // probabilities far below 2^-64 keep their quantiles.
    if (p < 0.5L)
        return mu - s * sqrtTwo * special::erfcInv(2 * p);
    return mu + s * sqrtTwo * special::erfcInv(2 * (1 - p));
}

} // namespace probability::distributions

using namespace probability::distributions;
namespace special = probability::special;

double BetaPDF_Double(double x, double a, double b) {
    return static_cast<double>(betaPdf(x, a, b));
}

double BetaCDF_Double(double x, double a, double b) {
    return static_cast<double>(betaCdf(x, a, b));
}

double BoseEinsteinPDF_Double(double a, double b) {
    const Real t = static_cast<Real>(a) * b;
    // 1/(e^t - 1) = e^-t there, which may underflow but never overflows.
    if (t > expSaturation)
        return static_cast<double>(std::exp(-t));
    return static_cast<double>(1 / std::expm1(t));
}

double CauchyPDF_Double(double x, double g, double x0) {
    const Real d = static_cast<Real>(x) - x0;
    return static_cast<double>(g / (pi * (d * d + static_cast<Real>(g) * g)));
}

double CauchyCDF_Double(double x, double g, double x0) {
    const Real d = static_cast<Real>(x) - x0;
    // Below the centre, 1/2 + atan(d/g)/pi equals atan(g/-d)/pi, which keeps
    // the digits of small lower-tail probabilities.
    if (d < 0 && g > 0)
        return static_cast<double>(std::atan2(static_cast<Real>(g), -d) / pi);
    return static_cast<double>(std::atan2(d, static_cast<Real>(g)) / pi + 0.5L);
}

double CauchyCDFInv_Double(double p, double g, double x0) {
    return static_cast<double>(std::tan((p - 0.5L) * pi) * g + x0);
}

double ChiSquarePDF_Double(double x, double nu) {
    return static_cast<double>(gammaPdf(x, nu / 2.0L, 2));
}

double ChiSquareCDF_Double(double x, int32_t nu) {
    if (nu <= 0)
        return static_cast<double>(nanValue);
    return static_cast<double>(gammaCdf(x, nu / 2.0L, 2));
}

double ExpPDF_Double(double x, double m) {
    if (anyNan(x, m) || m <= 0)
        return static_cast<double>(nanValue);
    return x >= 0 ? static_cast<double>(std::exp(-x / static_cast<Real>(m)) / m) : 0;
}

double ExpCDF_Double(double x, double m) {
    if (anyNan(x, m) || m <= 0)
        return static_cast<double>(nanValue);
    return x > 0 ? static_cast<double>(-std::expm1(-x / static_cast<Real>(m))) : 0;
}

double ExpCDFInv_Double(double p, double m) {
    return static_cast<double>(-std::log1p(-static_cast<Real>(p)) * m);
}

double FPDF_Double(double x, int32_t n1, int32_t n2) {
    if (anyNan(x) || n1 <= 0 || n2 <= 0)
        return static_cast<double>(nanValue);
    if (x <= 0)
        return 0;
    // The product of powers over B(n1/2, n2/2), taken as one exponential so
    // that large degrees of freedom neither overflow nor underflow halfway.
    const Real h1 = n1 / 2.0L, h2 = n2 / 2.0L, ratio = static_cast<Real>(n1) / n2;
    const Real lnBeta = special::lnGamma(h1) + special::lnGamma(h2) - special::lnGamma(h1 + h2);
    return static_cast<double>(std::exp(h1 * std::log(ratio) + (h1 - 1) * std::log(static_cast<Real>(x)) -
                                        lnBeta - (h1 + h2) * std::log1p(x * ratio)));
}

double FCDF_Double(double x, int32_t n1, int32_t n2) {
    if (anyNan(x) || n1 <= 0 || n2 <= 0)
        return static_cast<double>(nanValue);
    if (x <= 0)
        return 0;
    // I_z(n1/2, n2/2) with z = n1 x / (n1 x + n2), the same as 1 - I_w(n2/2, n1/2)
    // for w = 1 - z, but with z and 1 - z each formed directly, so that the
    // lower tail keeps its digits.
    const Real n1x = static_cast<Real>(x) * n1;
    if (std::isinf(n1x))
        return 1;
    const Real z = n1x / (n1x + n2), w = n2 / (n1x + n2);
    return static_cast<double>(clip(special::betaTails(z, w, n1 / 2.0L, n2 / 2.0L).lower));
}

double FermiDiracPDF_Double(double a, double b, double c) {
    const Real t = static_cast<Real>(b) * a + c;
    if (t == 0)
        return 0.5;
    if (t > expSaturation)
        return static_cast<double>(std::exp(-t));
    return static_cast<double>(1 / (std::exp(t) + 1));
}

double GammaPDF_Double(double x, double a, double b) {
    return static_cast<double>(gammaPdf(x, a, b));
}

double GammaCDF_Double(double x, double a, double b) {
    return static_cast<double>(gammaCdf(x, a, b));
}

double MaxwellPDF_Double(double x, double a) {
    if (anyNan(x, a) || !(x >= 0 && a > 0))
        return static_cast<double>(nanValue);
    const Real x2 = static_cast<Real>(x) * x;
    return static_cast<double>(x2 * a * std::sqrt(2 * a / pi) * std::exp(-a * x2 / 2));
}

double MaxwellCDF_Double(double x, double a) {
    if (anyNan(x, a) || !(x >= 0 && a > 0))
        return static_cast<double>(nanValue);
    return static_cast<double>(gammaCdf(static_cast<Real>(x) * x, 1.5L, 2 / static_cast<Real>(a)));
}

double NormalPDF_Double(double x, double mu, double s) {
    if (anyNan(x, mu, s) || s <= 0)
        return static_cast<double>(nanValue);
    const Real z = (static_cast<Real>(x) - mu) / s;
    return static_cast<double>(std::exp(-z * z / 2) / (s * sqrtTwoPi));
}

double NormalCDF_Double(double x, double mu, double s) {
    if (anyNan(x, mu, s) || s <= 0)
        return static_cast<double>(nanValue);
    const Real z = (static_cast<Real>(x) - mu) / s * sqrtHalf;
    // (erf(z) + 1) / 2, through the complement below the mean where the sum
    // would cancel.
    if (z < 0)
        return static_cast<double>(special::erfc(-z) / 2);
    return static_cast<double>((special::erf(z) + 1) / 2);
}

double NormalCDFInv_Double(double p, double mu, double s) {
    return static_cast<double>(normalCdfInv(p, mu, s));
}

double ParetoPDF_Double(double x, double a, double k) {
    if (anyNan(x, a, k) || x < k)
        return static_cast<double>(nanValue);
    return static_cast<double>(a * std::pow(static_cast<Real>(k), static_cast<Real>(a)) *
                               std::pow(static_cast<Real>(x), -static_cast<Real>(a) - 1));
}

double ParetoCDF_Double(double x, double a, double k) {
    if (anyNan(x, a, k) || x < k)
        return static_cast<double>(nanValue);
    return static_cast<double>(1 - std::pow(static_cast<Real>(k) / x, static_cast<Real>(a)));
}

double ParetoCDFInv_Double(double p, double a, double k) {
    if (p >= 0 && p < 1)
        return static_cast<double>(std::pow(1 - static_cast<Real>(p), -1 / static_cast<Real>(a)) * k);
    if (p == 1)
        return static_cast<double>(infValue);
    return static_cast<double>(nanValue);
}

double RayleighPDF_Double(double x, double s) {
    if (anyNan(x, s) || !(s > 0 && x >= 0))
        return static_cast<double>(nanValue);
    const Real s2 = static_cast<Real>(s) * s;
    return static_cast<double>(x / s2 * std::exp(-(static_cast<Real>(x) * x) / (2 * s2)));
}

double RayleighCDF_Double(double x, double s) {
    if (anyNan(x, s) || !(s > 0 && x >= 0))
        return static_cast<double>(nanValue);
    const Real r = static_cast<Real>(x) / s;
    return static_cast<double>(-std::expm1(-r * r / 2));
}

double RayleighCDFInv_Double(double p, double s) {
    if (anyNan(p, s) || !(s > 0 && p >= 0 && p <= 1))
        return static_cast<double>(nanValue);
    if (p == 1)
        return static_cast<double>(infValue);
    return static_cast<double>(s * std::sqrt(-2 * std::log1p(-static_cast<Real>(p))));
}

double StudentPDF_Double(double x, int32_t nu) {
    if (anyNan(x) || nu <= 0)
        return static_cast<double>(nanValue);
    const Real n = nu, h = (n + 1) / 2;
    return static_cast<double>(std::exp(special::lnGamma(h) - special::lnGamma(n / 2) - std::log(n * pi) / 2 -
                                        h * std::log1p(static_cast<Real>(x) * x / n)));
}

double StudentCDF_Double(double x, int32_t nu) {
    if (anyNan(x) || nu <= 0)
        return static_cast<double>(nanValue);
    // Below zero atan(x)/pi + 1/2 = atan2(1, -x)/pi, which keeps the digits
    // of the lower tail.
    if (nu == 1)
        return static_cast<double>(x < 0 ? std::atan2(1.0L, -static_cast<Real>(x)) / pi
                                         : std::atan(static_cast<Real>(x)) / pi + 0.5L);
    if (x == 0)
        return 0.5;
    // W = nu / (nu + x^2) and 1 - W = x^2 / (nu + x^2), each formed directly.
    const Real n = nu, x2 = static_cast<Real>(x) * x;
    if (std::isinf(x2))
        return x > 0 ? 1 : 0;
    const Real half = special::betaTails(n / (n + x2), x2 / (n + x2), n / 2, 0.5L).lower / 2;
    return static_cast<double>(clip(x > 0 ? 1 - half : half));
}

double UniformPDF_Double(double x, double a, double b) {
    if (anyNan(x, a, b) || a >= b)
        return static_cast<double>(nanValue);
    return a <= x && x <= b ? static_cast<double>(1 / (static_cast<Real>(b) - a)) : 0;
}

double UniformCDF_Double(double x, double a, double b) {
    if (anyNan(x, a, b) || a >= b)
        return static_cast<double>(nanValue);
    if (x >= b)
        return 1;
    if (x > a)
        return static_cast<double>((static_cast<Real>(x) - a) / (static_cast<Real>(b) - a));
    return 0;
}

double UniformCDFInv_Double(double p, double a, double b) {
    if (anyNan(p, a, b) || !(a < b && p >= 0 && p <= 1))
        return static_cast<double>(nanValue);
    return static_cast<double>(a + p * (static_cast<Real>(b) - a));
}

double WeibullPDF_Double(double x, double a, double b) {
    if (anyNan(x, a, b) || !(a > 0 && b > 0))
        return static_cast<double>(nanValue);
    if (x > 0) {
        const Real xb = std::pow(static_cast<Real>(x), static_cast<Real>(b));
        return static_cast<double>(a * b * std::pow(static_cast<Real>(x), b - 1.0L) * std::exp(-a * xb));
    }
    if (x == 0 && b < 1)
        return static_cast<double>(infValue);
    if (x == 0 && b == 1)
        return a;
    return 0;
}

double WeibullCDF_Double(double x, double a, double b) {
    if (anyNan(x, a, b) || !(a > 0 && b > 0))
        return static_cast<double>(nanValue);
    if (x < 0)
        return 0;
    return static_cast<double>(-std::expm1(-a * std::pow(static_cast<Real>(x), static_cast<Real>(b))));
}

double WeibullCDFInv_Double(double p, double a, double b) {
    if (anyNan(p, a, b) || !(a > 0 && b > 0 && p >= 0 && p <= 1))
        return static_cast<double>(nanValue);
    if (p == 1)
        return static_cast<double>(infValue);
    if (p == 0)
        return 0;
    return static_cast<double>(std::pow(-std::log1p(-static_cast<Real>(p)) / a, 1 / static_cast<Real>(b)));
}
