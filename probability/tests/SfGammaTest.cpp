// Gamma, log-gamma, factorials, binomial coefficients and beta.
#include "probability.h"
#include "sf_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

using special_test::ulpError;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();

struct Case {
    double x;
    double expected;
};

TEST(SpecialGamma, SignFollowsParityOfTruncatedMagnitude) {
    const struct {
        double x;
        int sign;
    } cases[] = {{5, 1}, {0.5, 1}, {0, -1}, {-0.5, -1}, {-1.5, 1}, {-2, -1}, {-2.5, -1}, {-3.5, 1}};
    for (const auto& c : cases)
        EXPECT_EQ(SgnGamma(c.x), c.sign) << c.x;
}

TEST(SpecialGamma, KnownValuesAndPoles) {
    const Case cases[] = {
        {5, 24},    {1, 1},     {2, 1},    {3, 2}, {0.5, 1.772453850905516}, {-0.5, -3.544907701811032},
        {0, -inf},  {-2, -inf}, {-1, inf}, // truncated magnitude 1 is odd
        {172, inf},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Gamma_Double(c.x), c.expected) << c.x;
}

TEST(SpecialGamma, NanArgumentGivesNan) {
    EXPECT_TRUE(std::isnan(Gamma_Double(std::nan(""))));
    EXPECT_TRUE(std::isnan(LnGamma_Double(std::nan(""))));
}

TEST(SpecialGamma, WithinFourUlpsOfQuadReferenceAwayFromPoles) {
    double worst = 0, worstAt = 0;
    auto check = [&](double x) {
        if (x == std::trunc(x) && x <= 0)
            return;
        const double e = ulpError(Gamma_Double(x), tgammaq(x));
        if (e > worst) {
            worst = e;
            worstAt = x;
        }
    };
    special_test::sweep(0.001, 171.5, 20000, check);
    special_test::sweep(-170.9, -0.001, 20000, check);
    special_test::sweep(-0.03125, 0.03125, 2000, check);
    std::printf("Gamma_Double worst %.2f ulp at %.17g\n", worst, worstAt);
    EXPECT_LE(worst, 4.0) << worstAt;
}

TEST(SpecialLnGamma, KnownValues) {
    const Case cases[] = {{1, 0}, {2, 0}, {0, -inf}, {-3, -inf}, {3e305, inf}, {0.5, 0.5723649429247001}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LnGamma_Double(c.x), c.expected) << c.x;
}

TEST(SpecialLnGamma, StirlingSumAt171AndAHalf) {
    EXPECT_LE(ulpError(LnGamma_Double(171.5), lgammaq(171.5Q)), 4.0);
}

TEST(SpecialLnGamma, WithinFourUlpsOfQuadReferenceAwayFromPolesAndZeros) {
    double worst = 0, worstAt = 0;
    auto check = [&](double x) {
        // Near its zeros at 1 and 2 lnGamma is tiny and only its absolute error is small.
        if ((x == std::trunc(x) && x <= 0) || std::fabs(x - 1) < 0.01 || std::fabs(x - 2) < 0.01)
            return;
        // Near the negative poles the value crosses zero as well.
        if (x < 0 && fabsq(lgammaq(x)) < 0.01Q)
            return;
        const double e = ulpError(LnGamma_Double(x), lgammaq(x));
        if (e > worst) {
            worst = e;
            worstAt = x;
        }
    };
    special_test::sweep(0.001, 1000, 20000, check);
    special_test::sweep(1e3, 1e12, 2000, check);
    special_test::sweep(-60.9, -0.001, 20000, check);
    std::printf("LnGamma_Double worst %.2f ulp at %.17g\n", worst, worstAt);
    EXPECT_LE(worst, 4.0) << worstAt;
}

TEST(SpecialLnGamma, AbsoluteErrorNearZerosIsTiny) {
    double worst = 0;
    special_test::sweep(0.99, 1.01, 2000, [&](double x) {
        worst = std::max(worst, static_cast<double>(fabsq(LnGamma_Double(x) - lgammaq(x))));
    });
    special_test::sweep(1.99, 2.01, 2000, [&](double x) {
        worst = std::max(worst, static_cast<double>(fabsq(LnGamma_Double(x) - lgammaq(x))));
    });
    std::printf("LnGamma_Double worst absolute error near 1 and 2: %.3g\n", worst);
    EXPECT_LE(worst, 1e-17);
}

TEST(SpecialFactorial, TableGammaAndLimits) {
    EXPECT_EQ(Fact_Integer(0), 1);
    EXPECT_EQ(Fact_Integer(5), 120);
    EXPECT_EQ(Fact_Integer(20), 2432902008176640000.0);
    EXPECT_EQ(Fact_Integer(31), Gamma_Double(32));
    EXPECT_EQ(Fact_Integer(171), inf);
    const double negative = Fact_Integer(-1);
    EXPECT_TRUE(std::isnan(negative));
    EXPECT_TRUE(std::signbit(negative));
}

TEST(SpecialBinomial, CoefficientsByHand) {
    const struct {
        int n, k;
        double expected;
    } cases[] = {{5, 2, 10},
                 {5, -1, 0},
                 {5, 0, 1},
                 {5, 5, 1},
                 {5, 1, 5},
                 {5, 4, 5},
                 {10, 3, 120},
                 {10, 7, 120},
                 {52, 5, 2598960},
                 {3, 5, 0}, // more chosen than there are
                 {60, 30, 118264581564861424.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Binomial_Integer(c.n, c.k), c.expected) << c.n << " " << c.k;
}

TEST(SpecialBinomial, HugeArgumentsEndQuickly) {
    EXPECT_EQ(Binomial_Integer(2000000000, 1000000000), inf);
}

TEST(SpecialBeta, ValuesAndSigns) {
    const struct {
        double a, b, expected;
    } cases[] = {
        {1, 1, 1},
        {2, 3, 1.0 / 12},
        {0.5, 0.5, 3.141592653589793},
        {-0.5, 2, -4},                  // -2 sqrt(pi) * 1 / (sqrt(pi) / 2)
        {-1, 3, 1.797693134862315e308}, // Gamma(-1) infinite, all three signs +1
        {-1, 1, 0},                     // Gamma(0) of the sum is infinite
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(Beta_Double(c.a, c.b), c.expected) << c.a << " " << c.b;
}

} // namespace
