// Ext gamma, log-gamma, factorials, binomial coefficients and the beta
// function. The rational and Stirling coefficients are the published
// extended-precision tables; they are evaluated in Horner order, highest
// power first.
#include "frame.h"
#include "probability.h"
#include "sf_internal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace prob {
namespace {

constexpr Ext smallLimit = 0.03125L;

// Leading coefficient 1 is implicit.
template <std::size_t N> Ext hornerMonic(const std::array<Ext, N>& c, Ext x) {
    Ext sum = 1;
    for (Ext k : c)
        sum = sum * x + k;
    return sum;
}

constexpr std::array<Ext, 8> gammaP = {4.212760487471622013093E-5L, 4.542931960608009155600E-4L,
                                       4.092666828394035500949E-3L, 2.385363243461108252554E-2L,
                                       1.113062816019361559013E-1L, 3.629515436640239168939E-1L,
                                       8.378004301573126728826E-1L, 1.000000000000000000009E0L};

constexpr std::array<Ext, 9> gammaQ = {
    -1.397148517476170440917E-5L, 2.346584059160635244282E-4L, -1.237799246653152231188E-3L,
    -7.955933682494738320586E-4L, 2.773706565840072979165E-2L, -4.633887671244534213831E-2L,
    -2.243510905670329164562E-1L, 4.150160950588455434583E-1L, 9.999999999999999999908E-1L};

constexpr std::array<Ext, 9> stirlingLong = {
    7.147391378143610789273E-4L,  -2.363848809501759061727E-5L, -5.950237554056330156018E-4L,
    6.989332260623193171870E-5L,  7.840334842744753003862E-4L,  -2.294719747873185405699E-4L,
    -2.681327161876304418288E-3L, 3.472222222230075327854E-3L,  8.333333333333331800504E-2L};

constexpr std::array<Ext, 6> stirlingShort = {6.97281375836585777429E-5L,  7.84039221720066627474E-4L,
                                              -2.29472093621399176955E-4L, -2.68132716049382716049E-3L,
                                              3.47222222222222222222E-3L,  8.33333333333333333333E-2L};

constexpr std::array<Ext, 9> smallS = {
    -1.193945051381510095614E-3L, 7.220599478036909672331E-3L, -9.622023360406271645744E-3L,
    -4.219773360705915470089E-2L, 1.665386113720805206758E-1L, -4.200263503403344054473E-2L,
    -6.558780715202540684668E-1L, 5.772156649015328608253E-1L, 1.000000000000000000000E0L};

constexpr std::array<Ext, 9> smallSN = {
    1.133374167243894382010E-3L,  7.220837261893170325704E-3L,  9.621911155035976733706E-3L,
    -4.219773343731191721664E-2L, -1.665386113944413519335E-1L, -4.200263503402112910504E-2L,
    6.558780715202536547116E-1L,  5.772156649015328608727E-1L,  -1.000000000000000000000E0L};

constexpr std::array<Ext, 7> lnStirlingA = {4.885026142432270781165E-3L, -1.880801938119376907179E-3L,
                                            8.412723297322498080632E-4L, -5.952345851765688514613E-4L,
                                            7.936507795855070755671E-4L, -2.777777777750349603440E-3L,
                                            8.333333333333331447505E-2L};

constexpr std::array<Ext, 7> lnB = {-2.163690827643812857640E3L, -8.723871522843511459790E4L,
                                    -1.104326814691464261197E6L, -6.111225012005214299996E6L,
                                    -1.625568062543700591014E7L, -2.003937418103815175475E7L,
                                    -8.875666783650703802159E6L};

constexpr std::array<Ext, 7> lnC = {-5.139481484435370143617E2L, -3.403570840534304670537E4L,
                                    -6.227441164066219501697E5L, -4.814940379411882186630E6L,
                                    -1.785433287045078156959E7L, -3.138646407656182662088E7L,
                                    -2.099336717757895876142E7L};

// ln Gamma(2 + e) / e = sum over k >= 1 of (-1)^(k+1) (zeta(k+1) - 1) / (k+1) e^(k-1), plus
// (1 - Euler's constant) for k = 0: the Taylor series about 2, highest power
// first (tests/reference/make_coefficients.py). For |e| <= 1/4 the terms fall
// by 8 each and the 26th is below 1e-24.
constexpr std::array<Ext, 26> lnGammaNearTwoSeries = {
    5.731367241678862013330195e-10L,    -1.192140140586091207442548e-9L,
    2.483674543802478317185009e-9L,     -5.183475041970046655121249e-9L,
    1.083865921489695409107492e-8L,     -2.271109460894316491031998e-8L,
    4.769810169363980565760193e-8L,     -0.0000001004322482396809960872083L,
    0.0000002120718480555466586923136L, -0.000000449246919876456604329429L,
    0.000000955141213040741983285718L,  -0.000002039215753801366236781901L,
    0.000004374866789907487804181793L,  -0.000009439488275268395903987425L,
    0.0000205072127756706915531665L,    -0.0000449262367381331417002075L,
    0.00009945751278180853371459589L,   -0.0002231547584535793797614188L,
    0.0005096695247430424223356548L,    -0.001192753911703260977113936L,
    0.002890510330741523285752988L,     -0.007385551028673985266273097L,
    0.02058080842778454787900092L,      -0.06735230105319809513324605L,
    0.3224670334241132182362076L,       0.4227843350984671393934879L};

// ln Gamma(2 + e) for |e| <= 1/4, where the rational form would lose the
// digits of the result near the zero at 2.
Ext lnGammaNearTwo(Ext e) {
    return e * horner(lnGammaNearTwoSeries, e);
}

// Stirling's approximation of Gamma(x) for x > 13.
Ext stirlingGamma(Ext x) {
    const Ext w = 1 / x;
    const Ext series = x > 1024 ? horner(stirlingShort, w) : horner(stirlingLong, w);
    return kSqrtTwoPi * std::exp((x - 0.5L) * std::log(x) - x) * (1 + w * series);
}

// Stirling sum of ln Gamma(x) for x >= 13.
Ext stirlingLnGamma(Ext x) {
    Ext sum = (x - 0.5L) * std::log(x) - x + kLnSqrtTwoPi;
    if (x > 1e10L)
        return sum;
    return sum + horner(lnStirlingA, 1 / (x * x)) / x;
}

bool isNonPositiveInteger(Ext x) {
    return x <= 0 && x == std::trunc(x);
}

// The distance of q from the nearest integer, as the reflection formulas use it.
Ext reflectionFraction(Ext q) {
    const Ext n = std::trunc(q);
    const Ext f = q - n;
    return f > 0.5L ? n + 1 - q : f;
}

} // namespace

int gammaSign(Ext x) {
    if (x > 0)
        return 1;
    const Ext t = std::trunc(std::fabs(x));
    return std::fmod(t, 2.0L) == 1 ? 1 : -1;
}

Ext smallGamma(Ext z, Ext x) {
    if (x < 0) {
        const Ext m = -x;
        return z / (m * horner(smallSN, m));
    }
    return z / (x * horner(smallS, x));
}

Ext gamma(Ext x) {
    if (std::isnan(x))
        return x;
    const int sign = gammaSign(x);
    if (isNonPositiveInteger(x))
        return sign * std::numeric_limits<Ext>::infinity();
    if (std::fabs(x) > 13) {
        if (x > 0)
            return stirlingGamma(x);
        const Ext q = std::fabs(x);
        return sign * kPi / std::fabs(q * std::sin(kPi * reflectionFraction(q)) * stirlingGamma(q));
    }
    Ext z = 1;
    while (x >= 3) {
        x -= 1;
        z *= x;
    }
    while (x < -smallLimit) {
        z /= x;
        x += 1;
    }
    if (x > smallLimit) {
        while (x < 2) {
            z /= x;
            x += 1;
        }
        if (x == 2 || x == 3)
            return z;
        x -= 2;
        return z * horner(gammaP, x) / horner(gammaQ, x);
    }
    return smallGamma(z, x);
}

Ext lnGamma(Ext x) {
    if (std::isnan(x))
        return x;
    if (isNonPositiveInteger(x))
        return -std::numeric_limits<Ext>::infinity();
    if (x > prob::HugeValue)
        return std::numeric_limits<Ext>::infinity();
    if (x < -34) {
        const Ext q = -x;
        return kLnPi - std::log(q * std::sin(kPi * reflectionFraction(q))) - stirlingLnGamma(q);
    }
    if (x >= 13)
        return stirlingLnGamma(x);
    // Around the zeros at 1 and 2 the result is far smaller than the terms
    // of the recurrence; ln Gamma(1 + e) = ln Gamma(2 + e) - ln(1 + e).
    if (std::fabs(x - 2) <= 0.25L)
        return lnGammaNearTwo(x - 2);
    if (std::fabs(x - 1) <= 0.25L)
        return lnGammaNearTwo(x - 1) - std::log1p(x - 1);
    Ext z = 1;
    while (x >= 3) {
        x -= 1;
        z *= x;
    }
    for (;;) {
        if (x >= 2) {
            if (x == 2)
                return std::log(std::fabs(z));
            const Ext u = x - 2;
            return std::log(std::fabs(z)) + u * horner(lnB, u) / hornerMonic(lnC, u);
        }
        if (std::fabs(x) <= smallLimit)
            return std::log(std::fabs(smallGamma(z, x)));
        z /= x;
        x += 1;
    }
}

Ext stirlingRemainder(Ext x) {
    if (x >= 13)
        return horner(lnStirlingA, 1 / (x * x)) / x;
    return lnGamma(x) - ((x - 0.5L) * std::log(x) - x + kLnSqrtTwoPi);
}

Ext lnOnePlusRemainder(Ext x) {
    return x - std::log1p(x);
}

Ext beta(Ext a, Ext b) {
    if (a > b)
        std::swap(a, b);
    // Both small, or a negative argument: the gamma functions themselves.
    if (a <= 0 || b < 20)
        return gamma(a) * gamma(b) / gamma(a + b);
    const Ext s = a + b;
    if (a < 10) {
        // Gamma(b) / Gamma(a + b) by Stirling's formula, with the large
        // logarithms of b and a + b taken as the one small ln(1 + a/b).
        const Ext lnRatio = -(b - 0.5L) * std::log1p(a / b) - a * std::log(s) + a + stirlingRemainder(b) -
                            stirlingRemainder(s);
        return gamma(a) * std::exp(lnRatio);
    }
    // Both large: sqrt(2 kPi (a + b) / (a b)) (a/(a+b))^a (b/(a+b))^b times
    // the remainders; each power is at most the size of the result.
    const Ext lnPowers = -a * std::log1p(b / a) - b * std::log1p(a / b);
    return std::sqrt(2 * kPi * s / (a * b)) *
           std::exp(lnPowers + stirlingRemainder(a) + stirlingRemainder(b) - stirlingRemainder(s));
}

Ext binomialCoefficient(long long n, long long k) {
    if (k < 0)
        return 0;
    // More items chosen than there are: no way to choose them.
    if (n >= 0 && k > n)
        return 0;
    if (k == 0 || n == k)
        return 1;
    if (k == 1 || n == k + 1)
        return n;
    const long long steps = std::min(k, n - k);
    Ext r = n;
    // Once infinite the product stays so; stopping there keeps huge n quick.
    for (long long b = 2; b <= steps && std::isfinite(r); ++b)
        r = (n - b + 1) / static_cast<Ext>(b) * r;
    return std::trunc(r + 0.5L);
}

} // namespace prob

int SgnGamma(double x) {
    return prob::gammaSign(x);
}

double Gamma_Double(double x) {
    return static_cast<double>(prob::gamma(x));
}

double LnGamma_Double(double x) {
    return static_cast<double>(prob::lnGamma(x));
}

double Fact_Integer(int32_t n) {
    if (n < 0)
        return -std::numeric_limits<double>::quiet_NaN();
    if (n > 170)
        return std::numeric_limits<double>::infinity();
    if (n > 30)
        return Gamma_Double(n + 1.0);
    return prob::FactorialTable[n];
}

double Binomial_Integer(int32_t n, int32_t k) {
    return static_cast<double>(prob::binomialCoefficient(n, k));
}

double Beta_Double(double a, double b) {
    using namespace prob;
    const int sign = gammaSign(a) * gammaSign(b) * gammaSign(static_cast<Ext>(a) + b);
    const Ext g = lnGamma(static_cast<Ext>(a) + b);
    const Ext h = lnGamma(a);
    const Ext l = lnGamma(b);
    if (std::isinf(g))
        return 0;
    if (std::isinf(h) || std::isinf(l))
        return sign * 1.797693134862315e308;
    // Positive arguments by the ratio of gamma functions itself; the
    // exponential of the difference of logarithms would turn their rounding
    // into a relative error of the result as large as the logarithms.
    if (a > 0 && b > 0 && std::isfinite(a) && std::isfinite(b))
        return static_cast<double>(beta(a, b));
    return static_cast<double>(sign * std::exp(h + l - g));
}
