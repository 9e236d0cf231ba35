// Inverses of the beta and gamma distribution functions, and the inverses
// built on them.
//
// Newton's method runs on the logarithm of the tail that holds the target
// (the lower tail below one half, the upper one above, each computed
// directly), in a variable that turns the tails into straight lines: ln x
// for the gamma law, ln(x / (1 - x)) for the beta law. There P ~ x^a and
// 1 - I ~ (1 - x)^b become linear, so even roots like 1e-300 are found in a
// few steps, and every step is bracketed so that it can never leave the
// interval known to hold the root. The steps stop at a relative change of
// 1e-15 in the root.
#include "distributions_internal.h"
#include "frame.h"
#include "probability.h"
#include "sf_internal.h"

#include <cmath>

namespace prob {

namespace {

constexpr int maxSteps = 200;
constexpr Ext rootTolerance = 1e-15L;
// The farthest one step may go in the log variable: a factor e^64.
constexpr Ext widestStep = 64;
constexpr double largestButFive = 1.797693134862315e308;

// The u with g(u) = 0 for g(u) = ln tail(u) - ln target, increasing or
// decreasing in u as said; eval(u) returns g(u) and g'(u). A tail that
// underflows gives g = -inf and only says on which side the root lies.
// Raises "Failed to converge!" when the tail cannot be evaluated or the
// steps do not settle.
template <typename Eval> Ext solveLogTail(Eval eval, Ext u, bool increasing) {
    Ext lo = -kInfExt, hi = kInfExt;
    for (int step = 0; step < maxSteps; ++step) {
        const auto [g, slope] = eval(u);
        if (std::isnan(g))
            break;
        if (g == 0)
            return u;
        const bool rootBelow = (g > 0) == increasing;
        (rootBelow ? hi : lo) = u;
        const Ext newton = g / slope;
        if (std::isfinite(newton) && std::fabs(newton) <= rootTolerance)
            return u - newton;
        Ext next = u - newton;
        if (!std::isfinite(next) || !(std::fabs(newton) <= widestStep))
            next = rootBelow ? u - widestStep : u + widestStep;
        if (next <= lo || next >= hi) {
            if (!(std::isfinite(lo) && std::isfinite(hi)))
                next = rootBelow ? u - widestStep : u + widestStep;
            else if (hi - lo <= rootTolerance)
                return (lo + hi) / 2;
            else
                next = (lo + hi) / 2;
        }
        u = next;
    }
    return noAnswer(kFailedToConverge);
}

struct LogTail {
    Ext value;
    Ext slope;
};

// ln(x / (1 - x)) and back, giving x and 1 - x each to full precision.
BetaRoot fromLogit(Ext u) {
    return {1 / (1 + std::exp(-u)), 1 / (1 + std::exp(u))};
}

} // namespace

BetaRoot betaQuantile(Ext p, Ext q, Ext a, Ext b) {
    const bool lower = p <= q;
    const Ext lnTarget = std::log(lower ? p : q);
    // Start from the power law of the tail, or from the mean.
    const Ext lnBeta = prob::lnGamma(a) + prob::lnGamma(b) - prob::lnGamma(a + b);
    Ext u = std::log(a / b);
    // A root below the smallest extended number rounds to the end of the range.
    constexpr Ext lnSmallest = -11350;
    if (lower) {
        const Ext lnX = (lnTarget + std::log(a) + lnBeta) / a;
        if (lnX < lnSmallest)
            return {0, 1};
        if (lnX < std::log(0.5L))
            u = lnX - std::log1p(-std::exp(lnX));
    } else {
        const Ext lnY = (lnTarget + std::log(b) + lnBeta) / b;
        if (lnY < lnSmallest)
            return {1, 0};
        if (lnY < std::log(0.5L))
            u = std::log1p(-std::exp(lnY)) - lnY;
    }
    u = solveLogTail(
        [&](Ext v) {
            const BetaRoot r = fromLogit(v);
            // At the ends of the range the lower tail is 0 or 1, the upper 1 or 0.
            if (r.x == 0 || r.y == 0)
                return LogTail{lower == (r.x == 0) ? -kInfExt : Ext(-lnTarget), 0};
            const prob::Tails t = prob::betaTails(r.x, r.y, a, b);
            const Ext tail = lower ? t.lower : t.upper;
            const Ext slope = prob::betaPrefactor(r.x, r.y, a, b) / tail;
            return LogTail{std::log(tail) - lnTarget, lower ? slope : -slope};
        },
        u, lower);
    return fromLogit(u);
}

Ext betaCdfInv(Ext p, Ext a, Ext b) {
    if (anyNan(p, a, b) || !(p >= 0 && p <= 1 && a > 0 && b > 0))
        return kNanExt;
    if (p == 0 || p == 1)
        return p;
    return betaQuantile(p, 1 - p, a, b).x;
}

Ext gammaCdfInv(Ext p, Ext a, Ext b) {
    if (anyNan(p, a, b) || !(p >= 0 && p <= 1 && a > 0 && b > 0))
        return kNanExt;
    // The limits of the support.
    if (p == 1)
        return kInfExt;
    if (p == 0)
        return 0;
    const bool lower = p <= 0.5L;
    const Ext target = lower ? p : 1 - p;
    const Ext lnTarget = std::log(target);
    // Start from the Wilson-Hilferty cube of a normal quantile, or in the
    // lower tail from P ~ x^a / Gamma(a + 1) where the cube fails or the
    // shape is small.
    const Ext z = (lower ? -1 : 1) * kSqrtTwo * prob::erfcInv(2 * target);
    const Ext cube = 1 - 1 / (9 * a) + z / (3 * std::sqrt(a));
    const Ext lnSmall = (lnTarget + prob::lnGamma(a + 1)) / a;
    // A root below the smallest extended number rounds to zero.
    if (lower && lnSmall < -11350)
        return 0;
    Ext u = cube > 0 ? std::log(a) + 3 * std::log(cube) : std::log(a) - 2;
    if (lower && (cube <= 0 || a < 1))
        u = std::min(u, lnSmall);
    u = solveLogTail(
        [&](Ext v) {
            const Ext x = std::exp(v);
            if (x == 0)
                return LogTail{lower ? -kInfExt : Ext(-lnTarget), 0};
            const prob::Tails t = prob::gammaTails(a, x);
            const Ext tail = lower ? t.lower : t.upper;
            const Ext slope = prob::gammaPrefactor(a, x) / tail;
            return LogTail{std::log(tail) - lnTarget, lower ? slope : -slope};
        },
        u, lower);
    return std::exp(u) * b;
}

} // namespace prob

using namespace prob;

double BetaCDFInv_Double(double p, double a, double b) {
    return static_cast<double>(betaCdfInv(p, a, b));
}

double GammaCDFInv_Double(double p, double a, double b) {
    return static_cast<double>(gammaCdfInv(p, a, b));
}

double ChiSquareDDFInv_Double(double p, int32_t nu) {
    if (nu < 0)
        return static_cast<double>(kNanExt);
    return static_cast<double>(gammaCdfInv(p, nu / 2.0L, 2));
}

// The root of I_z(n1/2, n2/2) = p with z = n1 x / (n1 x + n2), so that
// x = n2 z / (n1 (1 - z)); the lower tail itself is the target, not 1 - p.
double FCDFInv_Double(double p, int32_t n1, int32_t n2) {
    if (std::isnan(p) || n1 <= 0 || n2 <= 0)
        return static_cast<double>(kNanExt);
    if (p > 0 && p < 1) {
        const BetaRoot z = betaQuantile(p, 1 - static_cast<Ext>(p), n1 / 2.0L, n2 / 2.0L);
        return static_cast<double>(n2 * z.x / (n1 * z.y));
    }
    return p == 1 ? static_cast<double>(kInfExt) : 0;
}

double MaxwellCDFInv_Double(double q, double a) {
    if (anyNan(q, a) || !(q >= 0 && q <= 1 && a > 0))
        return static_cast<double>(kNanExt);
    return static_cast<double>(std::sqrt(gammaCdfInv(q, 1.5L, 2 / static_cast<Ext>(a))));
}

// With W the root of I_W(nu/2, 1/2) = 2 min(p, 1 - p): |t| = sqrt(nu (1 - W) / W),
// both W and 1 - W taken from the root directly.
double StudentCDFInv_Double(double p, int32_t nu) {
    if (std::isnan(p) || nu <= 0 || !(p >= 0 && p <= 1))
        return static_cast<double>(kNanExt);
    if (nu == 1)
        return static_cast<double>(std::tan((p - 0.5L) * prob::kPi));
    if (p == 1)
        return largestButFive;
    if (p == 0)
        return -largestButFive;
    const Ext n = nu;
    const Ext tail = 2 * (p < 0.5 ? static_cast<Ext>(p) : 1 - static_cast<Ext>(p));
    if (tail == 1)
        return 0;
    const BetaRoot w = betaQuantile(tail, 1 - tail, n / 2, 0.5L);
    const Ext t = std::sqrt(n * w.y / w.x);
    return static_cast<double>(p < 0.5 ? -t : t);
}
