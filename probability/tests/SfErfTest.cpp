// The error function, its complement and its inverse.
#include "probability.h"
#include "sf_test_support.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>

using special_test::relativeError;
using special_test::ulpError;

namespace {

TEST(SpecialErf, KnownValuesAndSymmetry) {
    EXPECT_EQ(Erf_Double(0), 0);
    EXPECT_EQ(Erfc_Double(0), 1);
    EXPECT_EQ(Erf_Double(INFINITY), 1);
    EXPECT_EQ(Erf_Double(-INFINITY), -1);
    EXPECT_EQ(Erfc_Double(INFINITY), 0);
    EXPECT_EQ(Erfc_Double(-INFINITY), 2);
    EXPECT_TRUE(std::isnan(Erf_Double(NAN)));
    EXPECT_TRUE(std::isnan(Erfc_Double(NAN)));
    for (double x : {1e-300, 0.1, 0.5, 1.0, 2.5, 6.0})
        EXPECT_EQ(Erf_Double(-x), -Erf_Double(x)) << x;
}

TEST(SpecialErf, RelativeErrorBelowOneInTenToTheFourteen) {
    double worstErf = 0, worstErfAt = 0, worstErfc = 0, worstErfcAt = 0, ulpErf = 0, ulpErfc = 0;
    auto check = [&](double x) {
        const __float128 e = erfq(x), c = erfcq(x);
        if (fabsq(e) >= 1e-300Q) {
            const double r = relativeError(Erf_Double(x), e);
            ulpErf = std::max(ulpErf, ulpError(Erf_Double(x), e));
            if (r > worstErf)
                worstErf = r, worstErfAt = x;
        }
        if (c >= 1e-300Q) {
            const double r = relativeError(Erfc_Double(x), c);
            ulpErfc = std::max(ulpErfc, ulpError(Erfc_Double(x), c));
            if (r > worstErfc)
                worstErfc = r, worstErfcAt = x;
        }
    };
    special_test::sweep(-6, 27, 40000, check);
    for (double x = 1e-300; x < 1e-2; x *= 3.7)
        check(x);
    std::printf("Erf_Double worst relative %.3g at %.17g (%.2f ulp)\n", worstErf, worstErfAt, ulpErf);
    std::printf("Erfc_Double worst relative %.3g at %.17g (%.2f ulp)\n", worstErfc, worstErfcAt, ulpErfc);
    EXPECT_LE(worstErf, 1e-14);
    EXPECT_LE(worstErfc, 1e-14);
}

TEST(SpecialErfInv, EndsAndDomain) {
    EXPECT_EQ(std::bit_cast<uint64_t>(ErfInv_Double(1)), UINT64_C(0x7FEFFFFFFFFFFFFB));
    EXPECT_EQ(std::bit_cast<uint64_t>(ErfInv_Double(-1)), UINT64_C(0xFFEFFFFFFFFFFFFB));
    EXPECT_EQ(ErfInv_Double(0), 0);
    EXPECT_NEAR(ErfInv_Double(0.5), 0.4769362762044699, 1e-15);
    EXPECT_THROW(ErfInv_Double(1.5), ProbabilityError);
    EXPECT_THROW(ErfInv_Double(-1.0000001), ProbabilityError);
    EXPECT_TRUE(std::isnan(ErfInv_Double(NAN)));
}

// Two Newton steps from a six-digit start limit the accuracy near +-1; the
// worst error is measured as the distance of erf(result) from y, in ulps of
// the exact inverse.
TEST(SpecialErfInv, AccuracyOfTheTwoNewtonSteps) {
    double worstCore = 0, worstTail = 0, coreAt = 0, tailAt = 0;
    special_test::sweep(-0.999999, 0.999999, 20000, [&](double y) {
        if (std::fabs(y) >= 1)
            return;
        const double x = ErfInv_Double(y);
        // Exact inverse by Newton steps in quad precision from the result.
        __float128 r = x;
        for (int i = 0; i < 6; ++i)
            r -= (erfq(r) - y) / (2 / sqrtq(M_PIq) * expq(-r * r));
        const double e = ulpError(x, r);
        if (std::fabs(y) <= 0.99 && e > worstCore)
            worstCore = e, coreAt = y;
        if (std::fabs(y) > 0.99 && e > worstTail)
            worstTail = e, tailAt = y;
    });
    std::printf("ErfInv_Double worst %.2f ulp for |y| <= 0.99 (at %.17g), %.3g ulp beyond (at %.17g)\n",
                worstCore, coreAt, worstTail, tailAt);
    EXPECT_LE(worstCore, 4.0);
}

} // namespace
