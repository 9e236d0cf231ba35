// Complex log-gamma and gamma, and the Bessel functions I0 and J0.
#include "probability.h"
#include "sf_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

Cplx call(void (*f)(Cplx*, const Cplx*), double re, double im) {
    const Cplx z{re, im};
    Cplx r{};
    f(&r, &z);
    return r;
}

TEST(SpecialComplexGamma, RealAxisMatchesQuadReference) {
    double worst = 0;
    special_test::sweep(0.05, 30, 3000, [&](double x) {
        const Cplx g = call(Gamma_Cplx, x, 0);
        worst = std::max(worst, special_test::relativeError(g.Re, tgammaq(x)));
        EXPECT_EQ(g.Im, 0) << x;
    });
    std::printf("Gamma_Cplx worst relative error on (0.05, 30]: %.3g\n", worst);
    EXPECT_LE(worst, 1e-13);
}

TEST(SpecialComplexGamma, KnownValuesPolesAndLimits) {
    // Gamma(i): |Gamma(i)|^2 = pi / sinh(pi).
    const Cplx g = call(Gamma_Cplx, 0, 1);
    EXPECT_NEAR(g.Re * g.Re + g.Im * g.Im, M_PI / std::sinh(M_PI), 1e-14);
    EXPECT_NEAR(g.Re, -0.15494982830181068, 1e-14);
    EXPECT_NEAR(g.Im, -0.49801566811835604, 1e-14);
    // Conjugate symmetry.
    const Cplx gc = call(Gamma_Cplx, 0, -1);
    EXPECT_EQ(gc.Re, g.Re);
    EXPECT_EQ(gc.Im, -g.Im);
    for (double pole : {0.0, -1.0, -7.0}) {
        const Cplx l = call(LnGamma_Cplx, pole, 0);
        EXPECT_TRUE(std::isinf(l.Re) && std::isinf(l.Im)) << pole;
    }
    // Gamma(32) = 31! is finite, Gamma(200) overflows a double.
    EXPECT_NEAR(call(Gamma_Cplx, 32, 0).Re, 8.2228386541779224e33, 1e20);
    EXPECT_TRUE(std::isinf(call(Gamma_Cplx, 200, 0).Re));
    const Cplx tiny = call(Gamma_Cplx, -300.5, 0);
    EXPECT_EQ(tiny.Re, 0);
    EXPECT_TRUE(std::isnan(call(LnGamma_Cplx, NAN, 1).Re));
    EXPECT_TRUE(std::isnan(call(LnGamma_Cplx, -1e300, 1).Re));
}

// The series stops once a term's squared modulus is below 1e-20, which
// bounds the accuracy at about 1e-13 for moderate arguments.
TEST(SpecialBessel, SeriesValues) {
    const struct {
        void (*f)(Cplx*, const Cplx*);
        double re, im, expectedRe, expectedIm;
    } cases[] = {
        {BesselJO, 0, 0, 1, 0},
        {BesselIO, 0, 0, 1, 0},
        {BesselJO, 1, 0, 0.7651976865579666, 0},
        {BesselIO, 1, 0, 1.2660658777520082, 0},
        {BesselJO, 2.404825557695773, 0, 0, 0},  // first zero of J0
        {BesselJO, 0, 1, 1.2660658777520082, 0}, // J0(ix) = I0(x)
        {BesselIO, 0, 2, 0.2238907791412357, 0}, // I0(ix) = J0(x)
    };
    for (const auto& c : cases) {
        const Cplx r = call(c.f, c.re, c.im);
        EXPECT_NEAR(r.Re, c.expectedRe, 1e-12) << c.re << " " << c.im;
        EXPECT_NEAR(r.Im, c.expectedIm, 1e-12) << c.re << " " << c.im;
    }
}

} // namespace
