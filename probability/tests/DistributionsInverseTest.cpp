// Inverses of the distribution functions: limits, hand values and round trips.
#include "probability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

struct Case {
    std::string what;
    std::function<double()> call;
    double expected;
};

TEST(DistributionInverse, LimitsAndHandValues) {
    const Case cases[] = {
        {"NormalCDFInv(0.975)", [] { return NormalCDFInv_Double(0.975, 0, 1); }, 1.959963984540054},
        {"NormalCDFInv(0.5,3,2)", [] { return NormalCDFInv_Double(0.5, 3, 2); }, 3},
        {"NormalCDFInv(1)", [] { return NormalCDFInv_Double(1, 0, 1); }, inf},
        {"NormalCDFInv(0)", [] { return NormalCDFInv_Double(0, 0, 1); }, -inf},
        {"NormalCDFInv(1.5)", [] { return NormalCDFInv_Double(1.5, 0, 1); }, nan},
        {"BetaCDFInv(0.5,2,2)", [] { return BetaCDFInv_Double(0.5, 2, 2); }, 0.5},
        {"BetaCDFInv(0,2,3)", [] { return BetaCDFInv_Double(0, 2, 3); }, 0},
        {"BetaCDFInv(1,2,3)", [] { return BetaCDFInv_Double(1, 2, 3); }, 1},
        {"BetaCDFInv(0.25,1,1)", [] { return BetaCDFInv_Double(0.25, 1, 1); }, 0.25},
        {"BetaCDFInv(0.5,0,1)", [] { return BetaCDFInv_Double(0.5, 0, 1); }, nan},
        {"GammaCDFInv(1-1/e,1,1)", [] { return GammaCDFInv_Double(1 - std::exp(-1.0), 1, 1); }, 1},
        {"GammaCDFInv(1,2,2)", [] { return GammaCDFInv_Double(1, 2, 2); }, inf},
        {"GammaCDFInv(0,2,2)", [] { return GammaCDFInv_Double(0, 2, 2); }, 0},
        {"ChiSquareDDFInv(1-1/e,2)", [] { return ChiSquareDDFInv_Double(1 - std::exp(-1.0), 2); }, 2},
        {"ChiSquareDDFInv(0.5,-1)", [] { return ChiSquareDDFInv_Double(0.5, -1); }, nan},
        {"FCDFInv(0.5,2,2)", [] { return FCDFInv_Double(0.5, 2, 2); }, 1},
        {"FCDFInv(1,2,2)", [] { return FCDFInv_Double(1, 2, 2); }, inf},
        {"FCDFInv(0,2,2)", [] { return FCDFInv_Double(0, 2, 2); }, 0},
        {"StudentCDFInv(0.75,1)", [] { return StudentCDFInv_Double(0.75, 1); }, 1},
        {"StudentCDFInv(0.5,4)", [] { return StudentCDFInv_Double(0.5, 4); }, 0},
        // Two degrees of freedom: t = (2p - 1) sqrt(2 / (4p(1 - p))).
        {"StudentCDFInv(0.9,2)", [] { return StudentCDFInv_Double(0.9, 2); }, 0.8 * std::sqrt(2 / 0.36)},
        {"StudentCDFInv(0.1,2)", [] { return StudentCDFInv_Double(0.1, 2); }, -0.8 * std::sqrt(2 / 0.36)},
        {"StudentCDFInv(1,3)", [] { return StudentCDFInv_Double(1, 3); }, 1.797693134862315e308},
        {"StudentCDFInv(0,3)", [] { return StudentCDFInv_Double(0, 3); }, -1.797693134862315e308},
        {"MaxwellCDFInv(1,1)", [] { return MaxwellCDFInv_Double(1, 1); }, inf},
        {"ExpCDFInv(0.5,2)", [] { return ExpCDFInv_Double(0.5, 2); }, 2 * std::log(2.0)},
        {"CauchyCDFInv(0.75,2,1)", [] { return CauchyCDFInv_Double(0.75, 2, 1); }, 3},
        {"ParetoCDFInv(0.75,2,3)", [] { return ParetoCDFInv_Double(0.75, 2, 3); }, 6},
        {"ParetoCDFInv(1,2,3)", [] { return ParetoCDFInv_Double(1, 2, 3); }, inf},
        {"ParetoCDFInv(-1,2,3)", [] { return ParetoCDFInv_Double(-1, 2, 3); }, nan},
        {"RayleighCDFInv(1-1/sqrt e,1)",
         [] { return RayleighCDFInv_Double(1 - 1 / std::sqrt(std::exp(1.0)), 1); }, 1},
        {"RayleighCDFInv(1,1)", [] { return RayleighCDFInv_Double(1, 1); }, inf},
        {"UniformCDFInv(0.25,0,4)", [] { return UniformCDFInv_Double(0.25, 0, 4); }, 1},
        {"UniformCDFInv(2,0,4)", [] { return UniformCDFInv_Double(2, 0, 4); }, nan},
        {"UniformDCDFInv(0.5,6)", [] { return UniformDCDFInv_Double(0.5, 6); }, 3},
        {"UniformDCDFInv(0,6)", [] { return UniformDCDFInv_Double(0, 6); }, nan},
        {"WeibullCDFInv(1-1/e,1,2)", [] { return WeibullCDFInv_Double(1 - std::exp(-1.0), 1, 2); }, 1},
        {"WeibullCDFInv(0,1,2)", [] { return WeibullCDFInv_Double(0, 1, 2); }, 0},
        {"WeibullCDFInv(1,1,2)", [] { return WeibullCDFInv_Double(1, 1, 2); }, inf},
        {"GeometricCDFInv(0.8,0.5)", [] { return GeometricCDFInv_Double(0.8, 0.5); }, 2},
        {"GeometricCDFInv(1,0.5)", [] { return GeometricCDFInv_Double(1, 0.5); }, inf},
        {"GeometricCDFInv(0.5,0)", [] { return GeometricCDFInv_Double(0.5, 0); }, inf},
    };
    for (const auto& c : cases) {
        const double got = c.call();
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(got)) << c.what << " gave " << got;
        else if (std::isinf(c.expected) || c.expected == 0)
            EXPECT_EQ(got, c.expected) << c.what;
        else
            EXPECT_NEAR(got, c.expected, 1e-9 * std::fabs(c.expected)) << c.what;
    }
}

TEST(DistributionInverse, DiscreteInversesReturnFirstCountReachingTheProbability) {
    const Case cases[] = {
        // binomial n = 3, p = 0.2: CDF 0.512, 0.896, 0.992, 1
        {"BinomCDFInv(0.5,3,0.2)", [] { return BinomCDFInv_Double(0.5, 3, 0.2); }, 0},
        {"BinomCDFInv(0.6,3,0.2)", [] { return BinomCDFInv_Double(0.6, 3, 0.2); }, 1},
        {"BinomCDFInv(0.95,3,0.2)", [] { return BinomCDFInv_Double(0.95, 3, 0.2); }, 2},
        {"BinomCDFInv(1,3,0.2)", [] { return BinomCDFInv_Double(1, 3, 0.2); }, 3},
        {"BinomCDFInv(0.5,-1,0.2)", [] { return BinomCDFInv_Double(0.5, -1, 0.2); }, nan},
        // Poisson l = 2: CDF 0.1353, 0.4060, 0.6767
        {"PoissonCDFInv(0.1,2)", [] { return PoissonCDFInv_Double(0.1, 2); }, 0},
        {"PoissonCDFInv(0.5,2)", [] { return PoissonCDFInv_Double(0.5, 2); }, 2},
        {"PoissonCDFInv(1,2)", [] { return PoissonCDFInv_Double(1, 2); }, nan},
        // negative binomial n = 2, p = 0.5: CDF 0.25, 0.5, 0.6875
        {"NegBinomCDFInv(0.5,2,0.5)", [] { return NegBinomCDFInv_Double(0.5, 2, 0.5); }, 1},
        {"NegBinomCDFInv(0.6,2,0.5)", [] { return NegBinomCDFInv_Double(0.6, 2, 0.5); }, 2},
        {"NegBinomCDFInv(1,2,0.5)", [] { return NegBinomCDFInv_Double(1, 2, 0.5); }, inf},
        // hypergeometric 10, 5, 3: CDF 1/12, 1/2, 11/12, 1
        {"HypGeometricCDFInv(0.05,10,5,3)", [] { return HypGeometricCDFInv_Double(0.05, 10, 5, 3); }, 0},
        {"HypGeometricCDFInv(0.5,10,5,3)", [] { return HypGeometricCDFInv_Double(0.5, 10, 5, 3); }, 1},
        {"HypGeometricCDFInv(0.95,10,5,3)", [] { return HypGeometricCDFInv_Double(0.95, 10, 5, 3); }, 3},
        {"HypGeometricCDFInv(0.5,10,8,5)", [] { return HypGeometricCDFInv_Double(0.5, 10, 8, 5); }, 4},
    };
    for (const auto& c : cases) {
        const double got = c.call();
        if (std::isnan(c.expected))
            EXPECT_TRUE(std::isnan(got)) << c.what << " gave " << got;
        else
            EXPECT_EQ(got, c.expected) << c.what;
    }
}

TEST(DistributionInverse, HugeCountsAreFoundByBisection) {
    // Beyond the reach of the incomplete gamma function the answer is a NaN, not a guess.
    EXPECT_TRUE(std::isnan(PoissonCDFInv_Double(0.5, 1e12)));
    // Far beyond any walk: the answers lie within a few deviations of the mean.
    EXPECT_NEAR(PoissonCDFInv_Double(0.5, 1e7), 1e7, 10);
    EXPECT_NEAR(BinomCDFInv_Double(0.5, 2000000000, 0.5), 1e9, 10);
    EXPECT_NEAR(NegBinomCDFInv_Double(0.5, 1000000, 0.5), 1e6, 10);
    EXPECT_NEAR(HypGeometricCDFInv_Double(0.5, 2000000000, 1000000000, 1000000000), 5e8, 10);
}

TEST(DistributionInverse, ContinuousRoundTrips) {
    for (double p : {1e-6, 0.01, 0.2, 0.5, 0.7, 0.99, 0.999999}) {
        EXPECT_NEAR(BetaCDF_Double(BetaCDFInv_Double(p, 2.5, 1.7), 2.5, 1.7), p, 1e-12) << p;
        EXPECT_NEAR(GammaCDF_Double(GammaCDFInv_Double(p, 3.5, 2), 3.5, 2), p, 1e-12) << p;
        EXPECT_NEAR(NormalCDF_Double(NormalCDFInv_Double(p, 1, 3), 1, 3), p, 1e-12 * std::max(p, 1e-3)) << p;
        EXPECT_NEAR(StudentCDF_Double(StudentCDFInv_Double(p, 7), 7), p, 1e-12) << p;
        EXPECT_NEAR(FCDF_Double(FCDFInv_Double(p, 3, 9), 3, 9), p, 1e-12) << p;
        EXPECT_NEAR(MaxwellCDF_Double(MaxwellCDFInv_Double(p, 2), 2), p, 1e-12) << p;
    }
}

TEST(DistributionInverse, TinyTailsHaveTheirRoots) {
    // I_x(10, 10) ~ x^10 / (10 B(10, 10)) near 0, B(10, 10) = 9! 9! / 19!.
    const double b = 362880.0 * 362880.0 / 121645100408832000.0;
    EXPECT_NEAR(BetaCDFInv_Double(1e-300, 10, 10), std::pow(1e-300 * 10 * b, 0.1), 1e-13 * 3.2e-31);
    // The uniform law is its own inverse.
    EXPECT_DOUBLE_EQ(BetaCDFInv_Double(1e-20, 1, 1), 1e-20);
    // P(a, x) ~ x^a / Gamma(a + 1): the root of 1/2 for a = 0.01 is (Gamma(1.01) / 2)^100.
    EXPECT_NEAR(GammaCDFInv_Double(0.5, 0.01, 1), std::pow(std::tgamma(1.01) / 2, 100), 1e-13 * 4.5e-31);
}

TEST(DistributionInverse, NoRootRaisesFailedToConverge) {
    try {
        // An infinite shape has no distribution to invert.
        BetaCDFInv_Double(0.5, std::numeric_limits<double>::infinity(), 1);
        FAIL() << "no exception";
    } catch (const ProbabilityError& error) {
        EXPECT_STREQ(error.what(), "Failed to converge!");
    }
}

} // namespace
