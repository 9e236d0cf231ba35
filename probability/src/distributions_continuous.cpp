// Densities, distribution functions and closed-form inverses of the
// continuous distributions. Differences such as 1 - e^-x are formed with
// expm1/log1p so that small results keep their relative precision.
#include "distributions_internal.h"
#include "probability.h"
#include "sf_internal.h"

#include <cmath>

namespace prob {

namespace {
// Beyond this e^t is 1 + e^t and e^t - 1 alike to far more than 64 bits.
constexpr Ext expSaturation = 64;
} // namespace

Ext betaPdf(Ext x, Ext a, Ext b) {
    if (anyNan(x, a, b) || !(a > 0 && b > 0 && x >= 0 && x <= 1))
        return kNanExt;
    if ((x == 0 && a < 1) || (x == 1 && b < 1))
        return kInfExt;
    // x^(a-1) (1-x)^(b-1) / B(a, b) through the prefactor of the incomplete
    // beta function, which keeps its digits for large shapes.
    if (x > 0 && x < 1)
        return prob::betaPrefactor(x, 1 - x, a, b) / (x * (1 - x));
    return 0;
}

Ext betaCdf(Ext x, Ext a, Ext b) {
    if (anyNan(x, a, b) || !(a > 0 && b > 0))
        return kNanExt;
    if (x >= 1)
        return 1;
    if (x > 0)
        return clip(prob::betaTails(x, 1 - x, a, b).lower);
    return 0;
}

Ext gammaPdf(Ext x, Ext a, Ext b) {
    if (anyNan(x, a, b) || a <= 0 || b <= 0)
        return kNanExt;
    // (x/b)^a e^(-x/b) / Gamma(a) / x, the prefactor of the incomplete gamma function.
    if (x > 0)
        return prob::gammaPrefactor(a, x / b) / x;
    if (x == 0 && a < 1)
        return kInfExt;
    if (x == 0 && a == 1)
        return 1 / b;
    return 0;
}

Ext gammaCdf(Ext x, Ext a, Ext b) {
    if (anyNan(x, a, b) || a <= 0 || b <= 0)
        return kNanExt;
    return x > 0 ? clip(prob::lowerGamma(a, x / b)) : 0;
}

Ext normalCdfInv(double p, double mu, double s) {
    // Tested as doubles, so that they stay doubles (not spilled extended
    // numbers) across the quantile's call.
    if (std::isnan(p) || std::isnan(mu) || std::isnan(s) || !(p >= 0 && p <= 1 && s > 0))
        return kNanExt;
    // The limits of the support.
    if (p == 0)
        return -kInfExt;
    if (p == 1)
        return kInfExt;
    return mu + s * prob::standardNormalQuantile(p);
}

} // namespace prob

using namespace prob;

double BetaPDF_Double(double x, double a, double b) {
    return static_cast<double>(betaPdf(x, a, b));
}

double BetaCDF_Double(double x, double a, double b) {
    return static_cast<double>(betaCdf(x, a, b));
}

double BoseEinsteinPDF_Double(double a, double b) {
    const Ext t = static_cast<Ext>(a) * b;
    // 1/(e^t - 1) = e^-t there, which may underflow but never overflows.
    if (t > expSaturation)
        return static_cast<double>(std::exp(-t));
    return static_cast<double>(1 / std::expm1(t));
}

double CauchyPDF_Double(double x, double g, double x0) {
    const Ext d = static_cast<Ext>(x) - x0;
    return static_cast<double>(g / (kPi * (d * d + static_cast<Ext>(g) * g)));
}

double CauchyCDF_Double(double x, double g, double x0) {
    const Ext d = static_cast<Ext>(x) - x0;
    // Below the centre, 1/2 + atan(d/g)/pi equals atan(g/-d)/pi, which keeps
    // the digits of small lower-tail probabilities.
    if (d < 0 && g > 0)
        return static_cast<double>(std::atan2(static_cast<Ext>(g), -d) / kPi);
    return static_cast<double>(std::atan2(d, static_cast<Ext>(g)) / kPi + 0.5L);
}

double CauchyCDFInv_Double(double p, double g, double x0) {
    return static_cast<double>(std::tan((p - 0.5L) * kPi) * g + x0);
}

double ChiSquarePDF_Double(double x, double nu) {
    return static_cast<double>(gammaPdf(x, nu / 2.0L, 2));
}

double ChiSquareCDF_Double(double x, int32_t nu) {
    if (nu <= 0)
        return static_cast<double>(kNanExt);
    return static_cast<double>(gammaCdf(x, nu / 2.0L, 2));
}

double ExpPDF_Double(double x, double m) {
    if (anyNan(x, m) || m <= 0)
        return static_cast<double>(kNanExt);
    return x >= 0 ? static_cast<double>(std::exp(-x / static_cast<Ext>(m)) / m) : 0;
}

double ExpCDF_Double(double x, double m) {
    if (anyNan(x, m) || m <= 0)
        return static_cast<double>(kNanExt);
    return x > 0 ? static_cast<double>(-std::expm1(-x / static_cast<Ext>(m))) : 0;
}

double ExpCDFInv_Double(double p, double m) {
    return static_cast<double>(-std::log1p(-static_cast<Ext>(p)) * m);
}

double FPDF_Double(double x, int32_t n1, int32_t n2) {
    if (anyNan(x) || n1 <= 0 || n2 <= 0)
        return static_cast<double>(kNanExt);
    if (x <= 0)
        return 0;
    // The product of powers over B(n1/2, n2/2), taken as one exponential so
    // that large degrees of freedom neither overflow nor underflow halfway.
    const Ext h1 = n1 / 2.0L, h2 = n2 / 2.0L, ratio = static_cast<Ext>(n1) / n2;
    const Ext lnBeta = prob::lnGamma(h1) + prob::lnGamma(h2) - prob::lnGamma(h1 + h2);
    return static_cast<double>(std::exp(h1 * std::log(ratio) + (h1 - 1) * std::log(static_cast<Ext>(x)) -
                                        lnBeta - (h1 + h2) * std::log1p(x * ratio)));
}

double FCDF_Double(double x, int32_t n1, int32_t n2) {
    if (anyNan(x) || n1 <= 0 || n2 <= 0)
        return static_cast<double>(kNanExt);
    if (x <= 0)
        return 0;
    // I_z(n1/2, n2/2) with z = n1 x / (n1 x + n2), the same as 1 - I_w(n2/2, n1/2)
    // for w = 1 - z, but with z and 1 - z each formed directly, so that the
    // lower tail keeps its digits.
    const Ext n1x = static_cast<Ext>(x) * n1;
    if (std::isinf(n1x))
        return 1;
    const Ext z = n1x / (n1x + n2), w = n2 / (n1x + n2);
    return static_cast<double>(clip(prob::betaTails(z, w, n1 / 2.0L, n2 / 2.0L).lower));
}

double FermiDiracPDF_Double(double a, double b, double c) {
    const Ext t = static_cast<Ext>(b) * a + c;
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
        return static_cast<double>(kNanExt);
    const Ext x2 = static_cast<Ext>(x) * x;
    return static_cast<double>(x2 * a * std::sqrt(2 * a / kPi) * std::exp(-a * x2 / 2));
}

double MaxwellCDF_Double(double x, double a) {
    if (anyNan(x, a) || !(x >= 0 && a > 0))
        return static_cast<double>(kNanExt);
    return static_cast<double>(gammaCdf(static_cast<Ext>(x) * x, 1.5L, 2 / static_cast<Ext>(a)));
}

double NormalPDF_Double(double x, double mu, double s) {
    if (anyNan(x, mu, s) || s <= 0)
        return static_cast<double>(kNanExt);
    const Ext z = (static_cast<Ext>(x) - mu) / s;
    return static_cast<double>(std::exp(-z * z / 2) / (s * kSqrtTwoPi));
}

double NormalCDF_Double(double x, double mu, double s) {
    if (anyNan(x, mu, s) || s <= 0)
        return static_cast<double>(kNanExt);
    const Ext z = (static_cast<Ext>(x) - mu) / s * kSqrtHalf;
    // (erf(z) + 1) / 2, through the complement below the mean where the sum
    // would cancel.
    if (z < 0)
        return static_cast<double>(prob::erfc(-z) / 2);
    return static_cast<double>((prob::erf(z) + 1) / 2);
}

double NormalCDFInv_Double(double p, double mu, double s) {
    return static_cast<double>(normalCdfInv(p, mu, s));
}

double ParetoPDF_Double(double x, double a, double k) {
    if (anyNan(x, a, k) || x < k)
        return static_cast<double>(kNanExt);
    return static_cast<double>(a * std::pow(static_cast<Ext>(k), static_cast<Ext>(a)) *
                               std::pow(static_cast<Ext>(x), -static_cast<Ext>(a) - 1));
}

double ParetoCDF_Double(double x, double a, double k) {
    if (anyNan(x, a, k) || x < k)
        return static_cast<double>(kNanExt);
    return static_cast<double>(1 - std::pow(static_cast<Ext>(k) / x, static_cast<Ext>(a)));
}

double ParetoCDFInv_Double(double p, double a, double k) {
    if (p >= 0 && p < 1)
        return static_cast<double>(std::pow(1 - static_cast<Ext>(p), -1 / static_cast<Ext>(a)) * k);
    if (p == 1)
        return static_cast<double>(kInfExt);
    return static_cast<double>(kNanExt);
}

double RayleighPDF_Double(double x, double s) {
    if (anyNan(x, s) || !(s > 0 && x >= 0))
        return static_cast<double>(kNanExt);
    const Ext s2 = static_cast<Ext>(s) * s;
    return static_cast<double>(x / s2 * std::exp(-(static_cast<Ext>(x) * x) / (2 * s2)));
}

double RayleighCDF_Double(double x, double s) {
    if (anyNan(x, s) || !(s > 0 && x >= 0))
        return static_cast<double>(kNanExt);
    const Ext r = static_cast<Ext>(x) / s;
    return static_cast<double>(-std::expm1(-r * r / 2));
}

double RayleighCDFInv_Double(double p, double s) {
    if (anyNan(p, s) || !(s > 0 && p >= 0 && p <= 1))
        return static_cast<double>(kNanExt);
    if (p == 1)
        return static_cast<double>(kInfExt);
    return static_cast<double>(s * std::sqrt(-2 * std::log1p(-static_cast<Ext>(p))));
}

double StudentPDF_Double(double x, int32_t nu) {
    if (anyNan(x) || nu <= 0)
        return static_cast<double>(kNanExt);
    const Ext n = nu, h = (n + 1) / 2;
    return static_cast<double>(std::exp(prob::lnGamma(h) - prob::lnGamma(n / 2) - std::log(n * kPi) / 2 -
                                        h * std::log1p(static_cast<Ext>(x) * x / n)));
}

double StudentCDF_Double(double x, int32_t nu) {
    if (anyNan(x) || nu <= 0)
        return static_cast<double>(kNanExt);
    // Below zero atan(x)/pi + 1/2 = atan2(1, -x)/pi, which keeps the digits
    // of the lower tail.
    if (nu == 1)
        return static_cast<double>(x < 0 ? std::atan2(1.0L, -static_cast<Ext>(x)) / kPi
                                         : std::atan(static_cast<Ext>(x)) / kPi + 0.5L);
    if (x == 0)
        return 0.5;
    // W = nu / (nu + x^2) and 1 - W = x^2 / (nu + x^2), each formed directly.
    const Ext n = nu, x2 = static_cast<Ext>(x) * x;
    if (std::isinf(x2))
        return x > 0 ? 1 : 0;
    const Ext half = prob::betaTails(n / (n + x2), x2 / (n + x2), n / 2, 0.5L).lower / 2;
    return static_cast<double>(clip(x > 0 ? 1 - half : half));
}

double UniformPDF_Double(double x, double a, double b) {
    if (anyNan(x, a, b) || a >= b)
        return static_cast<double>(kNanExt);
    return a <= x && x <= b ? static_cast<double>(1 / (static_cast<Ext>(b) - a)) : 0;
}

double UniformCDF_Double(double x, double a, double b) {
    if (anyNan(x, a, b) || a >= b)
        return static_cast<double>(kNanExt);
    if (x >= b)
        return 1;
    if (x > a)
        return static_cast<double>((static_cast<Ext>(x) - a) / (static_cast<Ext>(b) - a));
    return 0;
}

double UniformCDFInv_Double(double p, double a, double b) {
    if (anyNan(p, a, b) || !(a < b && p >= 0 && p <= 1))
        return static_cast<double>(kNanExt);
    return static_cast<double>(a + p * (static_cast<Ext>(b) - a));
}

double WeibullPDF_Double(double x, double a, double b) {
    if (anyNan(x, a, b) || !(a > 0 && b > 0))
        return static_cast<double>(kNanExt);
    if (x > 0) {
        const Ext xb = std::pow(static_cast<Ext>(x), static_cast<Ext>(b));
        return static_cast<double>(a * b * std::pow(static_cast<Ext>(x), b - 1.0L) * std::exp(-a * xb));
    }
    if (x == 0 && b < 1)
        return static_cast<double>(kInfExt);
    if (x == 0 && b == 1)
        return a;
    return 0;
}

double WeibullCDF_Double(double x, double a, double b) {
    if (anyNan(x, a, b) || !(a > 0 && b > 0))
        return static_cast<double>(kNanExt);
    if (x < 0)
        return 0;
    return static_cast<double>(-std::expm1(-a * std::pow(static_cast<Ext>(x), static_cast<Ext>(b))));
}

double WeibullCDFInv_Double(double p, double a, double b) {
    if (anyNan(p, a, b) || !(a > 0 && b > 0 && p >= 0 && p <= 1))
        return static_cast<double>(kNanExt);
    if (p == 1)
        return static_cast<double>(kInfExt);
    if (p == 0)
        return 0;
    return static_cast<double>(std::pow(-std::log1p(-static_cast<Ext>(p)) / a, 1 / static_cast<Ext>(b)));
}
