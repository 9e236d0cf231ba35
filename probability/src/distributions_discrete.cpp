// Probability masses, distribution functions and inverses of the discrete
// distributions.
//
// The masses are formed directly for moderate counts and through log-gamma
// where a direct product would overflow or underflow on the way. Sums and
// inverses never walk more than a bounded number of counts: beyond that the
// distribution function comes from the incomplete beta or gamma function (or,
// for the hypergeometric law, from the terms around the point that matter)
// and the inverse is found by bisection, so that counts near 2^31 answer at
// once instead of after billions of steps.
#include "distributions_internal.h"
#include "probability.h"
#include "sf_internal.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace prob {
namespace {

using prob::lnGamma;

// Counts walked one by one before an inverse switches to bisection.
constexpr long long scanLimit = 100000;
// Counts of the direct product forms; above them the log-gamma form is used.
constexpr long long directLimit = 1000;
constexpr long long unbounded = std::numeric_limits<long long>::max();
constexpr Ext hypergeometricSlack = 2.2e-16L;

Ext lnChoose(Ext n, Ext k) {
    return lnGamma(n + 1) - lnGamma(k + 1) - lnGamma(n - k + 1);
}

// The smallest count i in [0, upper] whose distribution function reaches q
// (within slack), or upper when none does. The walk sums masses upward from
// first with mass(i) = mass(i - 1) * ratio(i); far walks and masses too small
// to start from go to bisection on cdf.
template <typename Ratio, typename Cdf>
Ext discreteQuantile(Ext q, long long upper, Ext first, Ratio ratio, Cdf cdf, Ext slack = 0) {
    if (first > LDBL_MIN * 0x1p64L) {
        Ext term = first, sum = first;
        for (long long i = 0;; ++i) {
            if (sum + slack >= q)
                return i;
            if (i >= upper)
                return upper;
            if (i >= scanLimit)
                break;
            term *= ratio(i + 1);
            sum += term;
        }
    }
    // A distribution function that cannot be evaluated (NaN) ends the search with a NaN.
    bool failed = false;
    auto reaches = [&](long long i) {
        const Ext c = cdf(i);
        failed = failed || std::isnan(c);
        return failed || c + slack >= q;
    };
    long long hi = upper;
    if (upper == unbounded) {
        hi = 2 * scanLimit;
        while (!reaches(hi)) {
            if (hi > (1LL << 61))
                return kInfExt;
            hi *= 2;
        }
    } else if (!reaches(hi)) {
        return upper;
    }
    long long lo = -1;
    while (hi - lo > 1 && !failed) {
        const long long mid = lo + (hi - lo) / 2;
        (reaches(mid) ? hi : lo) = mid;
    }
    return failed ? kNanExt : hi;
}

// ---- binomial

bool binomInvalid(Ext x, int32_t n, Ext p) {
    return anyNan(x, p) || !(p >= 0 && p <= 1 && n > 0 && x <= n);
}

Ext binomMass(long long x, long long n, Ext p) {
    if (x == 0)
        return std::pow(1 - p, static_cast<Ext>(n));
    if (x == n)
        return std::pow(p, static_cast<Ext>(n));
    const Ext c = prob::binomialCoefficient(n, x);
    const Ext px = std::pow(p, static_cast<Ext>(x));
    const Ext qx = std::pow(1 - p, static_cast<Ext>(n - x));
    if ((std::isfinite(c) && px >= LDBL_MIN && qx >= LDBL_MIN) || p == 0 || p == 1)
        return c * px * qx;
    return std::exp(lnChoose(n, x) + x * std::log(p) + (n - x) * std::log1p(-p));
}

// P(count <= k) for 0 <= k: 1 - I_p(k + 1, n - k), taken as the upper tail
// of the incomplete beta function itself so that the lower tail of the count
// keeps its digits.
Ext binomCdf(long long k, long long n, Ext p) {
    if (k >= n || p == 0)
        return 1;
    if (p == 1)
        return 0;
    return clip(prob::betaTails(p, 1 - p, k + 1, n - k).upper);
}

// ---- hypergeometric: population n, k marked, m drawn

struct Hypergeometric {
    long long n, k, m;

    long long lowest() const { return std::max(0LL, m + k - n); }
    long long highest() const { return std::min(k, m); }

    Ext mass(Ext x) const { return std::exp(lnChoose(k, x) + lnChoose(n - k, m - x) - lnChoose(n, m)); }

    // mass(i + 1) / mass(i)
    Ext ratioUp(long long i) const {
        return static_cast<Ext>(k - i) * (m - i) / (static_cast<Ext>(i + 1) * (n - k - m + i + 1));
    }

    // P(count <= x), summing from x away from the mode until the terms no
    // longer count, or one minus the upper tail when x lies above the mode.
    Ext cdf(long long x) const {
        if (x < lowest())
            return 0;
        if (x >= highest())
            return 1;
        const Ext mode = std::floor((static_cast<Ext>(m) + 1) * (k + 1) / (static_cast<Ext>(n) + 2));
        Ext sum = 0;
        if (x < mode) {
            Ext t = mass(x);
            for (long long i = x; i >= lowest(); --i) {
                sum += t;
                if (!(t > sum * 1e-21L) || i == lowest())
                    break;
                t /= ratioUp(i - 1);
            }
            return clip(sum);
        }
        Ext t = mass(x + 1);
        for (long long i = x + 1; i <= highest(); ++i) {
            sum += t;
            if (!(t > sum * 1e-21L))
                break;
            t *= ratioUp(i);
        }
        return clip(1 - sum);
    }
};

bool hypergeometricInvalid(int32_t n, int32_t k, int32_t m) {
    return n < 0 || k < 0 || m < 0 || n < m || n < k;
}

// ---- negative binomial: n successes, success probability p, x failures

Ext negBinomMass(int32_t n, Ext p, Ext x) {
    const Ext lnCoefficient = lnGamma(x + n) - lnGamma(x + 1) - lnGamma(n);
    // A coefficient beyond the double range is never rounded to an integer
    // and never formed (it may not fit even the extended range).
    if (lnCoefficient > 709)
        return std::exp(lnCoefficient + n * std::log(p) + x * std::log1p(-p));
    const Ext coefficient = std::exp(lnCoefficient);
    const Ext pn = std::pow(p, static_cast<Ext>(n));
    const Ext qx = std::pow(1 - p, x);
    if ((std::isfinite(coefficient) && pn >= LDBL_MIN && qx >= LDBL_MIN) || p == 0 || p == 1)
        return std::nearbyint(coefficient) * pn * qx;
    return std::exp(lnCoefficient + n * std::log(p) + x * std::log1p(-p));
}

Ext negBinomCdf(long long k, int32_t n, Ext p) {
    if (k <= directLimit) {
        Ext sum = 0;
        for (long long i = 0; i <= k; ++i)
            sum += negBinomMass(n, p, i);
        return clip(sum);
    }
    return clip(prob::betaIncomplete(p, n, k + 1));
}

bool negBinomInvalid(int32_t n, Ext p) {
    return std::isnan(p) || !(p >= 0 && p <= 1 && n > 0);
}

// ---- Poisson

Ext poissonMass(long long n, Ext l) {
    if (n < 0)
        return 0;
    if (n == 0)
        return std::exp(-l);
    if (n <= directLimit && l < 11000) {
        Ext t = l;
        for (long long c = 2; c <= n; ++c)
            t = l * t / c;
        return std::exp(-l) * t;
    }
    return std::exp(n * std::log(l) - l - lnGamma(n + 1));
}

} // namespace
} // namespace prob

using namespace prob;

double BinomPDF_Double(double x, int32_t n, double p) {
    if (binomInvalid(x, n, p))
        return static_cast<double>(kNanExt);
    if (x < 0 || !isIntegral(x))
        return 0;
    return static_cast<double>(binomMass(static_cast<long long>(x), n, p));
}

double BinomCDF_Double(double x, int32_t n, double p) {
    if (binomInvalid(x, n, p))
        return static_cast<double>(kNanExt);
    // Between the counts the distribution function stays at its last step.
    const Ext k = std::floor(static_cast<Ext>(x));
    if (k < 0)
        return 0;
    if (k == 0)
        return static_cast<double>(std::exp(n * std::log1p(-static_cast<Ext>(p))));
    return static_cast<double>(binomCdf(static_cast<long long>(k), n, p));
}

double BinomCDFInv_Double(double q, int32_t n, double p) {
    if (anyNan(q, p) || !(n >= 0 && p >= 0 && p <= 1 && q >= 0 && q <= 1))
        return static_cast<double>(kNanExt);
    const Ext pp = p, odds = pp / (1 - pp);
    return static_cast<double>(discreteQuantile(
        q, n, std::pow(1 - pp, static_cast<Ext>(n)), [&](long long i) { return (n - i + 1) / Ext(i) * odds; },
        [&](long long i) { return binomCdf(i, n, pp); }));
}

double GeometricPDF_Double(double x, double p) {
    if (anyNan(x, p) || !(p > 0 && p <= 1))
        return static_cast<double>(kNanExt);
    if (x < 0 || !isIntegral(x))
        return 0;
    return static_cast<double>(p * std::pow(1 - static_cast<Ext>(p), static_cast<Ext>(x)));
}

double GeometricCDF_Double(double x, double p) {
    if (anyNan(x, p) || x < 0 || !(p > 0 && p <= 1))
        return static_cast<double>(kNanExt);
    // Every trial succeeds: all the mass sits at zero failures.
    if (p == 1)
        return 1;
    const Ext k = std::nearbyint(static_cast<Ext>(x));
    return static_cast<double>(-std::expm1((k + 1) * std::log1p(-static_cast<Ext>(p))));
}

double GeometricCDFInv_Double(double q, double p) {
    if (anyNan(q, p) || !(q >= 0 && q <= 1 && p >= 0 && p <= 1))
        return static_cast<double>(kNanExt);
    if (q == 1)
        return static_cast<double>(kInfExt);
    // No trial ever succeeds: only the zero probability is reached.
    if (p == 0)
        return q == 0 ? 0 : static_cast<double>(kInfExt);
    return static_cast<double>(
        std::trunc(std::log1p(-static_cast<Ext>(q)) / std::log1p(-static_cast<Ext>(p))));
}

double HypGeometricPDF_Double(double x, int32_t n, int32_t k, int32_t m) {
    if (std::isnan(x) || hypergeometricInvalid(n, k, m) || x > m || x > k)
        return static_cast<double>(kNanExt);
    if (x < 0 || static_cast<Ext>(x) + n - k - m + 1 <= 0)
        return 0;
    return static_cast<double>(Hypergeometric{n, k, m}.mass(x));
}

double HypGeometricCDF_Double(double x, int32_t n, int32_t k, int32_t m) {
    if (std::isnan(x) || hypergeometricInvalid(n, k, m) || x > m || x > k || x < 0)
        return static_cast<double>(kNanExt);
    return static_cast<double>(Hypergeometric{n, k, m}.cdf(static_cast<long long>(x)));
}

double HypGeometricCDFInv_Double(double q, int32_t n, int32_t k, int32_t m) {
    if (std::isnan(q) || hypergeometricInvalid(n, k, m) || !(q >= 0 && q <= 1))
        return static_cast<double>(kNanExt);
    const Hypergeometric h{n, k, m};
    const Ext first = h.lowest() == 0 ? h.mass(0) : 0;
    return static_cast<double>(discreteQuantile(
        q, h.highest(), first, [&](long long i) { return h.ratioUp(i - 1); },
        [&](long long i) { return h.cdf(i); }, hypergeometricSlack));
}

double NegBinomPDF_Double(int32_t n, double p, double x) {
    if (negBinomInvalid(n, p) || std::isnan(x))
        return static_cast<double>(kNanExt);
    if (x < 0 || !isIntegral(x))
        return 0;
    return static_cast<double>(negBinomMass(n, p, x));
}

double NegBinomCDF_Double(double x, int32_t n, double p) {
    if (negBinomInvalid(n, p) || std::isnan(x) || x < 0)
        return static_cast<double>(kNanExt);
    const Ext k = std::trunc(static_cast<Ext>(x));
    if (k > 0x1p62L)
        return p > 0 ? 1 : 0;
    return static_cast<double>(negBinomCdf(static_cast<long long>(k), n, p));
}

double NegBinomCDFInv_Double(double q, int32_t n, double p) {
    if (negBinomInvalid(n, p) || std::isnan(q) || !(q >= 0 && q <= 1))
        return static_cast<double>(kNanExt);
    if (q == 1)
        return static_cast<double>(kInfExt);
    const Ext pp = p;
    return static_cast<double>(discreteQuantile(
        q, unbounded, std::pow(pp, static_cast<Ext>(n)),
        [&](long long i) { return (n + i - 1) / Ext(i) * (1 - pp); },
        [&](long long i) { return negBinomCdf(i, n, pp); }));
}

double PoissonPDF_Double(int32_t n, double l) {
    if (std::isnan(l) || l <= 0)
        return static_cast<double>(kNanExt);
    return static_cast<double>(poissonMass(n, l));
}

double PoissonCDF_Double(double x, double l) {
    if (anyNan(x, l) || l <= 0)
        return static_cast<double>(kNanExt);
    if (x < 0)
        return 0;
    if (x == 0)
        return static_cast<double>(std::exp(-static_cast<Ext>(l)));
    // The sum of the masses up to the count below x equals Q(count + 1, l).
    return static_cast<double>(clip(prob::upperGamma(std::trunc(static_cast<Ext>(x)) + 1, l)));
}

double PoissonCDFInv_Double(double q, double l) {
    if (anyNan(q, l) || !(l > 0 && q >= 0 && q < 1))
        return static_cast<double>(kNanExt);
    const Ext ll = l;
    return static_cast<double>(discreteQuantile(
        q, unbounded, std::exp(-ll), [&](long long i) { return ll / i; },
        [&](long long i) { return clip(prob::upperGamma(i + 1.0L, ll)); }));
}

double UniformDPDF_Double(double x, int32_t n) {
    if (std::isnan(x) || n <= 0)
        return static_cast<double>(kNanExt);
    return isIntegral(x) && x >= 1 && x <= n ? static_cast<double>(1 / static_cast<Ext>(n)) : 0;
}

double UniformDCDF_Double(double x, int32_t n) {
    if (std::isnan(x) || n <= 0)
        return static_cast<double>(kNanExt);
    const Ext f = std::floor(static_cast<Ext>(x));
    if (f >= 1 && f <= n)
        return static_cast<double>(f / n);
    return x <= n ? 0 : 1;
}

double UniformDCDFInv_Double(double p, int32_t n) {
    if (std::isnan(p) || !(n > 0 && p > 0 && p <= 1))
        return static_cast<double>(kNanExt);
    return static_cast<double>(std::ceil(static_cast<Ext>(p) * n));
}
