// Accuracy of the distributions against references formed in quad precision
// from the closed forms, reported in ulps.
#include "probability.h"
#include "sf_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

using special_test::ulpError;

// The exact value of a double argument, so that references start from the
// same number as the function under test.
constexpr __float128 q(double v) {
    return v;
}

namespace {

struct Sweep {
    std::string name;
    std::function<double(double)> got;
    std::function<__float128(__float128)> exact;
    double from, to;
};

double worstUlps(const Sweep& s) {
    double worst = 0, at = 0;
    special_test::sweep(s.from, s.to, 5000, [&](double x) {
        const double e = ulpError(s.got(x), s.exact(x));
        if (e > worst)
            worst = e, at = x;
    });
    std::printf("%-22s worst %.2f ulp at %.17g\n", s.name.c_str(), worst, at);
    return worst;
}

TEST(DistributionAccuracy, ClosedFormDistributionFunctionsWithinFourUlps) {
    const Sweep sweeps[] = {
        {"ExpCDF(x, 2.5)", [](double x) { return ExpCDF_Double(x, 2.5); },
         [](__float128 x) { return -expm1q(-x / q(2.5)); }, 1e-6, 80},
        {"CauchyCDF(x, 1.5, 2)", [](double x) { return CauchyCDF_Double(x, 1.5, 2); },
         [](__float128 x) {
             return x < 2 ? atan2q(q(1.5), 2 - x) / M_PIq : atanq((x - 2) / q(1.5)) / M_PIq + 0.5Q;
         },
         -1e6, 1e6},
        {"CauchyCDF near centre", [](double x) { return CauchyCDF_Double(x, 1.5, 2); },
         [](__float128 x) {
             return x < 2 ? atan2q(q(1.5), 2 - x) / M_PIq : atanq((x - 2) / q(1.5)) / M_PIq + 0.5Q;
         },
         -20, 20},
        {"UniformCDF(x, -3, 7)", [](double x) { return UniformCDF_Double(x, -3, 7); },
         [](__float128 x) { return x <= -3  ? 0
                                   : x >= 7 ? 1
                                            : (x + 3) / 10; }, -4, 8},
        {"WeibullCDF(x, 0.7, 1.8)", [](double x) { return WeibullCDF_Double(x, 0.7, 1.8); },
         [](__float128 x) { return -expm1q(-q(0.7) * powq(x, q(1.8))); }, 1e-6, 5},
        {"RayleighCDF(x, 1.3)", [](double x) { return RayleighCDF_Double(x, 1.3); },
         [](__float128 x) { return -expm1q(-(x / q(1.3)) * (x / q(1.3)) / 2); }, 1e-6, 9},
    };
    for (const auto& s : sweeps)
        EXPECT_LE(worstUlps(s), 4.0) << s.name;
}

TEST(DistributionAccuracy, ClosedFormDensitiesAndInverses) {
    const Sweep sweeps[] = {
        {"ExpPDF(x, 2.5)", [](double x) { return ExpPDF_Double(x, 2.5); },
         [](__float128 x) { return expq(-x / q(2.5)) / q(2.5); }, 0, 80},
        {"CauchyPDF(x, 1.5, 2)", [](double x) { return CauchyPDF_Double(x, 1.5, 2); },
         [](__float128 x) { return q(1.5) / (M_PIq * ((x - 2) * (x - 2) + q(1.5) * q(1.5))); }, -50, 50},
        {"RayleighPDF(x, 1.3)", [](double x) { return RayleighPDF_Double(x, 1.3); },
         [](__float128 x) { return x / (q(1.3) * q(1.3)) * expq(-x * x / (2 * (q(1.3) * q(1.3)))); }, 1e-6,
         9},
        {"NormalPDF(x, 1, 2)", [](double x) { return NormalPDF_Double(x, 1, 2); },
         [](__float128 x) { return expq(-(x - 1) * (x - 1) / 8) / (2 * sqrtq(2 * M_PIq)); }, -20, 20},
        {"ExpCDFInv(p, 2.5)", [](double p) { return ExpCDFInv_Double(p, 2.5); },
         [](__float128 p) { return -log1pq(-p) * q(2.5); }, 1e-9, 0.999999},
        {"WeibullCDFInv(p,.7,1.8)", [](double p) { return WeibullCDFInv_Double(p, 0.7, 1.8); },
         [](__float128 p) { return powq(-log1pq(-p) / q(0.7), 1 / q(1.8)); }, 1e-9, 0.999999},
        {"RayleighCDFInv(p, 1.3)", [](double p) { return RayleighCDFInv_Double(p, 1.3); },
         [](__float128 p) { return q(1.3) * sqrtq(-2 * log1pq(-p)); }, 1e-9, 0.999999},
        {"UniformCDFInv(p,-3,7)", [](double p) { return UniformCDFInv_Double(p, -3, 7); },
         [](__float128 p) { return -3 + p * 10; }, 0, 0.999},
    };
    for (const auto& s : sweeps)
        EXPECT_LE(worstUlps(s), 4.0) << s.name;
}

// The normal distribution function goes through erf, not a closed form: it
// is held to the relative error of erf itself.
TEST(DistributionAccuracy, NormalDistributionFunctionRelativeError) {
    double worst = 0;
    special_test::sweep(-37, 8, 5000, [&](double x) {
        worst = std::max(worst,
                         special_test::relativeError(NormalCDF_Double(x, 0, 1), erfcq(-x / sqrtq(2.0Q)) / 2));
    });
    std::printf("NormalCDF worst relative error %.3g on [-37, 8]\n", worst);
    EXPECT_LE(worst, 1e-14);
}

// Masses at small counts against exact quad products.
TEST(DistributionAccuracy, DiscreteMassesAtSmallCounts) {
    double binom = 0, poisson = 0, geometric = 0, negBinom = 0;
    for (int n = 1; n <= 30; ++n) {
        __float128 choose = 1;
        for (int k = 0; k <= n; ++k) {
            if (k > 0)
                choose = choose * (n - k + 1) / k;
            const __float128 p = q(0.3);
            binom = std::max(binom,
                             ulpError(BinomPDF_Double(k, n, 0.3), choose * powq(p, k) * powq(1 - p, n - k)));
        }
    }
    __float128 factorial = 1;
    for (int k = 0; k <= 60; ++k) {
        if (k > 0)
            factorial *= k;
        poisson = std::max(poisson,
                           ulpError(PoissonPDF_Double(k, 4.5), powq(q(4.5), k) * expq(-q(4.5)) / factorial));
        geometric = std::max(geometric, ulpError(GeometricPDF_Double(k, 0.3), q(0.3) * powq(1 - q(0.3), k)));
        // Three successes: C(k + 2, 2) p^3 (1 - p)^k
        const __float128 c = (k + 2) * (k + 1) / 2;
        negBinom = std::max(
            negBinom, ulpError(NegBinomPDF_Double(3, 0.4, k), c * powq(q(0.4), 3) * powq((1 - q(0.4)), k)));
    }
    std::printf("BinomPDF worst %.2f ulp, PoissonPDF %.2f, GeometricPDF %.2f, NegBinomPDF %.2f\n", binom,
                poisson, geometric, negBinom);
    EXPECT_LE(binom, 4.0);
    EXPECT_LE(poisson, 4.0);
    EXPECT_LE(geometric, 4.0);
    EXPECT_LE(negBinom, 4.0);
}

} // namespace
