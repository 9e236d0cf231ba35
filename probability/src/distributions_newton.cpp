// Inverses found by Newton's method on the beta and gamma distribution
// functions, and the inverses built on them.
#include "distributions_internal.h"
#include "frame.h"
#include "probability.h"

#include <cmath>

namespace prob {

namespace {
constexpr Ext betaTolerance = 0x1p-26L;
constexpr Ext gammaTolerance = 1.4901161194e-8L;
constexpr int maxSteps = 100;
constexpr double largestButFive = 1.797693134862315e308;
} // namespace

Ext betaCdfInv(Ext p, Ext a, Ext b) {
    if (anyNan(p, a, b) || !(p >= 0 && p <= 1 && a > 0 && b > 0))
        return kNanExt;
    if (p == 0 || p == 1)
        return p;
    Ext x = a / (a + b);
    if (x == 0)
        x = betaTolerance;
    else if (x == 1)
        x = 1 - betaTolerance;
    Ext delta = 1;
    int steps = 0;
    while (std::fabs(delta) > std::fabs(x) * betaTolerance && std::fabs(delta) > betaTolerance &&
           steps < maxSteps) {
        delta = (betaCdf(x, a, b) - p) / betaPdf(x, a, b);
        Ext y = x - delta;
        if (y < 0)
            y = x / 10;
        if (y > 1)
            y = 1 - (1 - x) / 10;
        x = y;
        ++steps;
    }
    if (steps == maxSteps)
        throw ProbabilityError(prob::kFailedToConverge);
    return x;
}

Ext gammaCdfInv(Ext p, Ext a, Ext b) {
    if (anyNan(p, a, b) || !(p >= 0 && p <= 1 && a > 0 && b > 0))
        return kNanExt;
    // The limits of the support.
    if (p == 1)
        return kInfExt;
    if (p == 0)
        return 0;
    // Start from the log-normal distribution of the same mean and variance.
    const Ext mean = a * b;
    const Ext h = std::log(mean * mean + b * mean);
    Ext x = std::exp(normalCdfInv(p, 2 * std::log(mean) - h / 2, h - 2 * std::log(mean)));
    Ext delta = 1;
    int steps = 0;
    while (std::fabs(delta) > std::fabs(x) * gammaTolerance && std::fabs(delta) > gammaTolerance &&
           steps < maxSteps) {
        delta = (gammaCdf(x, a, b) - p) / gammaPdf(x, a, b);
        if (x - delta >= 0) {
            x -= delta;
        } else {
            delta = x - x / 10;
            x /= 10;
        }
        ++steps;
    }
    if (steps == maxSteps)
        throw ProbabilityError(prob::kFailedToConverge);
    return x;
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

double FCDFInv_Double(double p, int32_t n1, int32_t n2) {
    if (std::isnan(p) || n1 <= 0 || n2 <= 0)
        return static_cast<double>(kNanExt);
    if (p > 0 && p < 1) {
        const Ext y = betaCdfInv(1 - static_cast<Ext>(p), n2 / 2.0L, n1 / 2.0L);
        return static_cast<double>((n2 / y - n2) / n1);
    }
    return p == 1 ? static_cast<double>(kInfExt) : 0;
}

double MaxwellCDFInv_Double(double q, double a) {
    if (anyNan(q, a) || !(q >= 0 && q <= 1 && a > 0))
        return static_cast<double>(kNanExt);
    return static_cast<double>(std::sqrt(gammaCdfInv(q, 1.5L, 2 / static_cast<Ext>(a))));
}

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
    if (p >= 0.5) {
        const Ext y = betaCdfInv(2 * (1 - static_cast<Ext>(p)), n / 2, 0.5L);
        return static_cast<double>(std::sqrt(n / y - n));
    }
    const Ext y = betaCdfInv(2 * static_cast<Ext>(p), n / 2, 0.5L);
    return static_cast<double>(-std::sqrt(n / y - n));
}
