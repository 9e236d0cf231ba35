// Incomplete gamma and beta functions, real and complex.
#include "probability.h"
#include "sf_test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(SpecialIncompleteGamma, DomainRulesAndClosedForms) {
    const struct {
        double a, x, p, q;
    } cases[] = {
        {1, 0.5, 1 - std::exp(-0.5), std::exp(-0.5)},
        {1, 3, 1 - std::exp(-3.0), std::exp(-3.0)},
        // P(2, x) = 1 - (1 + x) e^-x
        {2, 1, 1 - 2 / std::exp(1.0), 2 / std::exp(1.0)},
        {2, 10, 1 - 11 * std::exp(-10.0), 11 * std::exp(-10.0)},
        // P(1/2, x) = erf(sqrt x)
        {0.5, 2, std::erf(std::sqrt(2.0)), std::erfc(std::sqrt(2.0))},
        {0, 1, 0, 0},
        {-1, 1, 0, 0},
        {1, 0, 0, 1},
        {1, -1, 0, 0},
        {3, inf, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(IGamma_Double(c.a, c.x), c.p, 1e-15) << c.a << " " << c.x;
        EXPECT_NEAR(JGamma_Double(c.a, c.x), c.q, 1e-15) << c.a << " " << c.x;
    }
    EXPECT_NEAR(GammaSer_Double(2, 1), 1 - 2 / std::exp(1.0), 1e-15);
    EXPECT_NEAR(GammaFrac_Double(2, 10), 11 * std::exp(-10.0), 1e-18);
    // Q(a, 0) = 1: the fraction itself diverges there (it gave NaN or 0).
    EXPECT_EQ(GammaFrac_Double(0.5, 0), 1);
    EXPECT_EQ(GammaFrac_Double(3, 0), 1);
}

TEST(SpecialIncompleteGamma, NanAndHugeArgumentsEndAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(std::isnan(IGamma_Double(nan, 1)));
    EXPECT_TRUE(std::isnan(JGamma_Double(1, nan)));
    EXPECT_TRUE(std::isnan(GammaFrac_Double(nan, 1)));
    EXPECT_TRUE(std::isnan(GammaSer_Double(1, nan)));
    EXPECT_TRUE(std::isnan(BetaIncomplete_Double(0.5, nan, 1)));
    // Shapes far beyond the iteration ceiling answer NaN rather than run on.
    EXPECT_TRUE(std::isnan(IGamma_Double(1e300, 1e300)));
    EXPECT_TRUE(std::isnan(BetaIncomplete_Double(0.5, 1e300, 1e300)));
    EXPECT_EQ(IGamma_Double(inf, 5), 0);
    // Complex arguments whose terms overflow or whose forms never converge
    // (each ran 4 million steps, a second or two).
    const Cplx infinite{inf, 1}, farLeft{-1e5, 0}, huge{1e15, 1e14}, zero{0, 0};
    Cplx r{};
    GammaSer_Cplx(&r, 10, &infinite);
    EXPECT_TRUE(std::isnan(r.Re));
    GammaFrac_Cplx(&r, 10, &farLeft);
    EXPECT_TRUE(std::isnan(r.Re));
    IGamma_Cplx(&r, 1e15, &huge);
    EXPECT_TRUE(std::isnan(r.Re));
    GammaFrac_Cplx(&r, 0.5, &zero);
    EXPECT_EQ(r.Re, 1);
    EXPECT_EQ(r.Im, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

TEST(SpecialIncompleteBeta, DomainRulesAndPolynomials) {
    const struct {
        double x, a, b, expected;
    } cases[] = {
        {0.5, 2, 2, 0.5},
        {1.5, 2, 2, 0},
        {0, 2, 2, 0},
        {1, 2, 2, 1},
        {0.5, 0, 2, 0},
        // I_x(1, b) = 1 - (1 - x)^b, I_x(a, 1) = x^a
        {0.3, 1, 3, 1 - 0.7 * 0.7 * 0.7},
        {0.3, 4, 1, 0.3 * 0.3 * 0.3 * 0.3},
        // I_x(2, 2) = 3x^2 - 2x^3
        {0.8, 2, 2, 3 * 0.64 - 2 * 0.512},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(BetaIncomplete_Double(c.x, c.a, c.b), c.expected, 1e-15)
            << c.x << " " << c.a << " " << c.b;
}

TEST(SpecialIncompleteGamma, ComplexFormsAgreeWithRealOnTheRealAxis) {
    for (double x : {0.3, 1.0, 2.5, 8.0}) {
        const Cplx z{x, 0};
        Cplx p{}, q{};
        IGamma_Cplx(&p, 1.5, &z);
        JGamma_Cplx(&q, 1.5, &z);
        EXPECT_NEAR(p.Re, IGamma_Double(1.5, x), 1e-14) << x;
        EXPECT_NEAR(q.Re, JGamma_Double(1.5, x), 1e-14) << x;
        EXPECT_NEAR(p.Im, 0, 1e-15);
        EXPECT_NEAR(p.Re + q.Re, 1, 1e-14);
    }
}

TEST(SpecialIncompleteGamma, ComplexClosedFormAndDomain) {
    // P(1, z) = 1 - e^-z; at z = i that is 1 - cos 1 + i sin 1.
    const Cplx z{0, 1};
    Cplx p{};
    IGamma_Cplx(&p, 1, &z);
    EXPECT_NEAR(p.Re, 1 - std::cos(1.0), 1e-14);
    EXPECT_NEAR(p.Im, std::sin(1.0), 1e-14);
    const Cplx far{5, 3};
    Cplx q{};
    JGamma_Cplx(&q, 1, &far); // Q(1, z) = e^-z
    EXPECT_NEAR(q.Re, std::exp(-5.0) * std::cos(3.0), 1e-14);
    EXPECT_NEAR(q.Im, -std::exp(-5.0) * std::sin(3.0), 1e-14);
    const Cplx zero{0, 0};
    IGamma_Cplx(&p, 1, &zero);
    EXPECT_EQ(p.Re, 0);
    JGamma_Cplx(&q, 1, &zero);
    EXPECT_EQ(q.Re, 1);
    const Cplx left{-1, 1};
    JGamma_Cplx(&q, 1, &left);
    EXPECT_EQ(q.Re, 0);
    EXPECT_EQ(q.Im, 0);
}

} // namespace

namespace {

using special_test::relativeError;

// For whole shapes the incomplete functions are plain sums:
// Q(n, x) = e^-x sum_{k<n} x^k / k!, I_x(a, b) = sum_{j=a}^{a+b-1} C(a+b-1, j) x^j (1-x)^(a+b-1-j).
__float128 upperGammaSum(int n, __float128 x) {
    __float128 term = 1, sum = 0;
    for (int k = 0; k < n; ++k) {
        if (k > 0)
            term = term * x / k;
        sum += term;
    }
    return expq(-x) * sum;
}

// P(n, x) = e^-x sum_{k>=n} x^k / k!, summed until the terms vanish.
__float128 lowerGammaSum(int n, __float128 x) {
    __float128 term = 1;
    for (int k = 1; k <= n; ++k)
        term = term * x / k;
    __float128 sum = 0;
    for (int k = n + 1; term > sum * 1e-40Q; ++k) {
        sum += term;
        term = term * x / k;
    }
    return expq(-x) * sum;
}

__float128 betaSum(int a, int b, __float128 x) {
    const int m = a + b - 1;
    __float128 sum = 0, choose = 1;
    for (int j = 0; j <= m; ++j) {
        if (j > 0)
            choose = choose * (m - j + 1) / j;
        if (j >= a)
            sum += choose * powq(x, j) * powq(1 - x, m - j);
    }
    return sum;
}

TEST(SpecialIncompleteAccuracy, WholeShapesAgainstFiniteSums) {
    double worstP = 0, worstQ = 0, worstI = 0;
    for (int n : {1, 2, 3, 5, 10, 30}) {
        special_test::sweep(0.01, 60, 600, [&](double x) {
            const __float128 q = upperGammaSum(n, x);
            if (q > 1e-300Q)
                worstQ = std::max(worstQ, relativeError(JGamma_Double(n, x), q));
            worstP = std::max(worstP, relativeError(IGamma_Double(n, x), lowerGammaSum(n, x)));
        });
    }
    for (int a : {1, 2, 5, 12})
        for (int b : {1, 3, 7, 20})
            special_test::sweep(0.001, 0.999, 400, [&](double x) {
                worstI = std::max(worstI, relativeError(BetaIncomplete_Double(x, a, b), betaSum(a, b, x)));
            });
    std::printf("IGamma_Double worst relative %.3g, JGamma_Double %.3g, BetaIncomplete_Double %.3g\n", worstP,
                worstQ, worstI);
    EXPECT_LE(worstP, 1e-13);
    EXPECT_LE(worstQ, 1e-13);
    EXPECT_LE(worstI, 1e-13);
}

} // namespace
