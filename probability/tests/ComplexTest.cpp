// Complex functions: hand-derived values, identities over a grid of points,
// and the record conventions (result first, operands untouched, aliasing).
#include "probability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;

Cplx c(double re, double im) {
    return {re, im};
}

::testing::AssertionResult near(const Cplx& got, const Cplx& expected, double tol) {
    const double scale = std::max(1.0, std::hypot(expected.Re, expected.Im));
    if (std::fabs(got.Re - expected.Re) <= tol * scale && std::fabs(got.Im - expected.Im) <= tol * scale) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "got (" << got.Re << ", " << got.Im << "), expected ("
                                         << expected.Re << ", " << expected.Im << ")";
}

using Unary = void (*)(Cplx*, const Cplx*);
using Binary = void (*)(Cplx*, const Cplx*, const Cplx*);

Cplx call(Unary f, Cplx z) {
    Cplx r{-99, -99};
    f(&r, &z);
    return r;
}

Cplx call(Binary f, Cplx a, Cplx b) {
    Cplx r{-99, -99};
    f(&r, &a, &b);
    return r;
}

struct UnaryValue {
    std::string what;
    Unary f;
    Cplx z, expected;
};

TEST(ComplexValues, UnaryFunctionsAtHandDerivedPoints) {
    const double sinh1 = 1.1752011936438014, cosh1 = 1.5430806348152437, acosh2 = 1.3169578969248166;
    const std::vector<UnaryValue> rows = {
        {"CSqrt(-4) = 2i", CSqrt_Cplx, c(-4, 0), c(0, 2)},
        {"CSqrt(0) = 0", CSqrt_Cplx, c(0, 0), c(0, 0)},
        {"CSqrt(3 + 4i) = 2 + i", CSqrt_Cplx, c(3, 4), c(2, 1)},
        {"CSqrt(-3 + 4i) = 1 + 2i", CSqrt_Cplx, c(-3, 4), c(1, 2)},
        {"CSqrt(-3 - 4i) = 1 - 2i", CSqrt_Cplx, c(-3, -4), c(1, -2)},
        {"CSqr(1 + 2i) = -3 + 4i", CSqr_Cplx, c(1, 2), c(-3, 4)},
        {"CInv(2i) = -i/2", CInv_Cplx, c(0, 2), c(0, -0.5)},
        {"Neg", Neg_Cplx, c(1, -2), c(-1, 2)},
        {"Conj", Conj_Cplx, c(1, -2), c(1, 2)},
        {"Flip", Flip_Cplx, c(1, -2), c(-2, 1)},
        {"FlipConj", FlipConj_Cplx, c(1, -2), c(-2, -1)},
        {"MulI", MulI_Cplx, c(1, -2), c(2, 1)},
        {"CTrunc(-1.7 + 2.7i) = -1 + 2i", CTrunc_Cplx, c(-1.7, 2.7), c(-1, 2)},
        {"CRound(2.5 - 2.5i) = 2 - 2i", CRound_Cplx, c(2.5, -2.5), c(2, -2)},
        {"CRound(3.5 + 0.4i) = 4", CRound_Cplx, c(3.5, 0.4), c(4, 0)},
        {"Ceil(-1.5 + 1.5i)", Ceil_Cplx, c(-1.5, 1.5), c(-1, 2)},
        {"Floor(-1.5 + 1.5i)", Floor_Cplx, c(-1.5, 1.5), c(-2, 1)},
        {"CFrac(-2.75 + 1.25i)", CFrac_Cplx, c(-2.75, 1.25), c(-0.75, 0.25)},
        {"CartToPolar(2i)", CartToPolar_Cplx, c(0, 2), c(2, kPi / 2)},
        {"PolarToCart(2, pi)", PolarToCart_Cplx, c(2, kPi), c(-2, 2.4492935982947064e-16)},
        {"Exp(i pi) = -1", Exp_Cplx, c(0, kPi), c(-1, 1.2246467991473532e-16)},
        {"Exp(1) = e", Exp_Cplx, c(1, 0), c(2.718281828459045, 0)},
        {"Exp2(3 + i pi/ln2) = -8", Exp2_Cplx, c(3, kPi / 0.6931471805599453), c(-8, 0)},
        {"Exp10(2) = 100", Exp10_Cplx, c(2, 0), c(100, 0)},
        {"Ln(-1) = i pi", Ln_Cplx, c(-1, 0), c(0, kPi)},
        {"Ln(i e) = 1 + i pi/2", Ln_Cplx, c(0, 2.718281828459045), c(1, kPi / 2)},
        {"Log2(8i) = 3 + i (pi/2) log2 e", Log2_Cplx, c(0, 8), c(3, 2.266180070913597)},
        {"Log10(100) = 2", Log10_Cplx, c(100, 0), c(2, 0)},
        {"Sin(i) = i sinh 1", Sin_Cplx, c(0, 1), c(0, sinh1)},
        {"Cos(i) = cosh 1", Cos_Cplx, c(0, 1), c(cosh1, 0)},
        {"Sinh(i pi/2) = i", Sinh_Cplx, c(0, kPi / 2), c(0, 1)},
        {"Cosh(1) = cosh 1", Cosh_Cplx, c(1, 0), c(cosh1, 0)},
        {"Tan(pi/4) = 1", Tan_Cplx, c(kPi / 4, 0), c(1, 0)},
        {"Tan(i 1e5) = i, no inf/inf", Tan_Cplx, c(0, 1e5), c(0, 1)},
        {"Cot(pi/4) = 1", Cot_Cplx, c(kPi / 4, 0), c(1, 0)},
        {"Cot(-i 1e5) = i", Cot_Cplx, c(0, -1e5), c(0, 1)},
        {"Tanh(1e5) = 1", Tanh_Cplx, c(1e5, 0), c(1, 0)},
        {"Tanh(i pi/4) = i", Tanh_Cplx, c(0, kPi / 4), c(0, 1)},
        {"Coth(-1e5) = -1", Coth_Cplx, c(-1e5, 0), c(-1, 0)},
        {"Sec(0) = 1", Sec_Cplx, c(0, 0), c(1, 0)},
        {"Csc(pi/2) = 1", Csc_Cplx, c(kPi / 2, 0), c(1, 0)},
        {"Sech(0) = 1", Sech_Cplx, c(0, 0), c(1, 0)},
        {"Csch(i pi/2) = -i", Csch_Cplx, c(0, kPi / 2), c(0, -1)},
        {"ArcSin(2) = pi/2 + i acosh 2", ArcSin_Cplx, c(2, 0), c(kPi / 2, acosh2)},
        {"ArcSin(2 - 0i): the lower side of the cut (C99)", ArcSin_Cplx, c(2, -0.0), c(kPi / 2, -acosh2)},
        {"ArcCosh(2 - i) in the lower half-plane", ArcCosh_Cplx, c(2, -1),
         c(1.4693517443681853, -0.50735630321714456)},
        {"ArcSin(2 - 1e-300i) = pi/2 - i acosh 2", ArcSin_Cplx, c(2, -1e-300), c(kPi / 2, -acosh2)},
        {"ArcSin(1/2) = pi/6", ArcSin_Cplx, c(0.5, 0), c(kPi / 6, 0)},
        {"ArcSin(i sinh 1) = i", ArcSin_Cplx, c(0, sinh1), c(0, 1)},
        {"ArcCos(1) = 0", ArcCos_Cplx, c(1, 0), c(0, 0)},
        {"ArcCos(-1) = pi", ArcCos_Cplx, c(-1, 0), c(kPi, 0)},
        {"ArcTan(1) = pi/4", ArcTan_Cplx, c(1, 0), c(kPi / 4, 0)},
        {"ArcTan(i/2) = i atanh 1/2", ArcTan_Cplx, c(0, 0.5), c(0, 0.5493061443340549)},
        {"ArcSinh(i/2) = i pi/6", ArcSinh_Cplx, c(0, 0.5), c(0, kPi / 6)},
        {"ArcCosh(2) = acosh 2", ArcCosh_Cplx, c(2, 0), c(acosh2, 0)},
        {"ArcTanh(1/2)", ArcTanh_Cplx, c(0.5, 0), c(0.5493061443340549, 0)},
        {"ArcSec(2) = pi/3", ArcSec_Cplx, c(2, 0), c(kPi / 3, 0)},
        {"ArcCsc(2) = pi/6", ArcCsc_Cplx, c(2, 0), c(kPi / 6, 0)},
        {"ArcCot(1) = pi/4", ArcCot_Cplx, c(1, 0), c(kPi / 4, 0)},
        {"ArcSech(1/2) = acosh 2", ArcSech_Cplx, c(0.5, 0), c(acosh2, 0)},
        {"ArcCsch(-2i) = i pi/6", ArcCsch_Cplx, c(0, -2), c(0, kPi / 6)},
        {"ArcCoth(2) = atanh 1/2", ArcCoth_Cplx, c(2, 0), c(0.5493061443340549, 0)},
    };
    for (const UnaryValue& row : rows) {
        EXPECT_TRUE(near(call(row.f, row.z), row.expected, 4e-16)) << row.what;
    }
}

struct BinaryValue {
    std::string what;
    Binary f;
    Cplx a, b, expected;
};

TEST(ComplexValues, BinaryFunctionsAtHandDerivedPoints) {
    const std::vector<BinaryValue> rows = {
        {"(1 + 2i) + (3 + 4i)", CAdd_Cplx, c(1, 2), c(3, 4), c(4, 6)},
        {"(1 + 2i) - (3 + 4i)", CSub_Cplx, c(1, 2), c(3, 4), c(-2, -2)},
        {"(1 + 2i)(3 + 4i) = -5 + 10i", CMul_Cplx, c(1, 2), c(3, 4), c(-5, 10)},
        {"(-5 + 10i)/(3 + 4i) = 1 + 2i", CDiv_Cplx, c(-5, 10), c(3, 4), c(1, 2)},
        {"Rem(7 + 3i, 2) = 1 + i", Rem_Cplx, c(7, 3), c(2, 0), c(1, 1)},
        {"Sign(3 - 4i, -1 + 2i) = -3 + 4i", Sign_Cplx, c(3, -4), c(-1, 2), c(-3, 4)},
        {"i^2 = -1", Power_Cplx, c(0, 1), c(2, 0), c(-1, 0)},
        {"i^i = e^(-pi/2)", Power_Cplx, c(0, 1), c(0, 1), c(0.20787957635076193, 0)},
        {"0^(2 + i) = 0", Power_Cplx, c(0, 0), c(2, 1), c(0, 0)},
        {"Pythag(3, 4) = 5", Pythag_Cplx, c(3, 0), c(4, 0), c(5, 0)},
        {"Pythag(i, 1) = 0", Pythag_Cplx, c(0, 1), c(1, 0), c(0, 0)},
        {"LogN base 2 of 8 = 3", LogN_Cplx, c(2, 0), c(8, 0), c(3, 0)},
        {"LogN base i of -1 = 2", LogN_Cplx, c(0, 1), c(-1, 0), c(2, 0)},
    };
    for (const BinaryValue& row : rows) {
        EXPECT_TRUE(near(call(row.f, row.a, row.b), row.expected, 4e-16)) << row.what;
    }
}

TEST(ComplexValues, MixedOperationsWithDoublesAndIntegers) {
    const Cplx z = c(1, 2);
    Cplx r;
    CAdd_CplxDouble(&r, &z, 3);
    EXPECT_TRUE(near(r, c(4, 2), 0));
    CSub_CplxDouble(&r, &z, 3);
    EXPECT_TRUE(near(r, c(-2, 2), 0));
    CSub_DoubleCplx(&r, 3, &z);
    EXPECT_TRUE(near(r, c(2, -2), 0));
    CMul_CplxDouble(&r, &z, 3);
    EXPECT_TRUE(near(r, c(3, 6), 0));
    const Cplx z3 = c(3, 6);
    CDiv_CplxDouble(&r, &z3, 3);
    EXPECT_TRUE(near(r, c(1, 2), 2.3e-16));
    const Cplx minus8 = c(-8, 0);
    Root_Cplx(&r, &minus8, 0, 3);
    EXPECT_TRUE(near(r, c(1, 1.7320508075688772), 4e-16)) << "principal cube root of -8";
    Root_Cplx(&r, &minus8, 1, 3);
    EXPECT_TRUE(near(r, c(-2, 0), 4e-16)) << "second cube root of -8";
    const Cplx i = c(0, 1);
    IntPower_Cplx(&r, &i, 2);
    EXPECT_TRUE(near(r, c(-1, 0), 4e-16));
    const Cplx twoI = c(0, 2);
    IntPower_Cplx(&r, &twoI, -1);
    EXPECT_TRUE(near(r, c(0, -0.5), 4e-16));
    IntPower_Cplx(&r, &twoI, 0);
    EXPECT_TRUE(near(r, c(1, 0), 0));
    const Cplx minus4 = c(-4, 0);
    Power_CplxDouble(&r, &minus4, 0.5);
    EXPECT_TRUE(near(r, c(0, 2), 4e-16));
    const Cplx iPi = c(0, kPi);
    Power_DoubleCplx(&r, 2.718281828459045, &iPi);
    EXPECT_TRUE(near(r, c(-1, 0), 4e-16));
    const Cplx eight = c(8, 0);
    LogN_DoubleCplx(&r, 2, &eight);
    EXPECT_TRUE(near(r, c(3, 0), 4e-16));
    const Cplx two = c(2, 0);
    LogN_CplxDouble(&r, &two, 8);
    EXPECT_TRUE(near(r, c(3, 0), 4e-16));
}

TEST(ComplexParts, PartsModulusAndSigns) {
    const Cplx z = c(3, -4);
    EXPECT_EQ(Real_Cplx(&z), 3.0);
    EXPECT_EQ(Imag_Cplx(&z), -4.0);
    EXPECT_EQ(CAbs_Cplx(&z), 5.0);
    EXPECT_EQ(Norm_Cplx(&z), 25.0);
    EXPECT_NEAR(Arg_Cplx(&z), -0.9272952180016122, 1e-16);
    Cplx r;
    Cplx_Cplx(&r, 1.5, -2.5);
    EXPECT_EQ(r.Re, 1.5);
    EXPECT_EQ(r.Im, -2.5);
    struct Row {
        Cplx z;
        int sgn;
    };
    for (const Row& row : {Row{c(2, -5), 1}, Row{c(-2, 5), -1}, Row{c(0, -2), -1}, Row{c(0, 3), 1},
                           Row{c(0, 0), 0}, Row{c(NAN, 1), -1}}) {
        EXPECT_EQ(Sgn_Cplx(&row.z), row.sgn) << row.z.Re << ", " << row.z.Im;
    }
}

TEST(ComplexOrdering, ModulusFirstThenArgumentAngle) {
    struct Row {
        Cplx a, b;
        bool bigger, smaller;
    };
    // Equal moduli fall back on the quadrant order -pi..pi and then the real
    // part; an imaginary part of -0 counts as >= 0 (quadrant 4).
    for (const Row& row : {Row{c(3, 4), c(0, 4), true, false}, Row{c(0, 1), c(1, 0), true, false},
                           Row{c(1, 0), c(0, 1), false, true}, Row{c(-1, 0), c(0, 1), true, false},
                           Row{c(0, -1), c(-1, -0.0), false, true}, Row{c(1, 1), c(1, 1), false, false}}) {
        EXPECT_EQ(Bigger_Cplx(&row.a, &row.b), row.bigger) << row.a.Re << "," << row.a.Im;
        EXPECT_EQ(Smaller_Cplx(&row.a, &row.b), row.smaller) << row.a.Re << "," << row.a.Im;
    }
    const Cplx q1 = c(-1, -1), q2 = c(1, -1), q3 = c(1, 1), q4 = c(-1, 1);
    EXPECT_TRUE(Bigger2_Cplx(&q2, &q1));
    EXPECT_TRUE(Bigger2_Cplx(&q3, &q2));
    EXPECT_TRUE(Bigger2_Cplx(&q4, &q3));
    EXPECT_TRUE(Smaller2_Cplx(&q1, &q4));
    const Cplx a = c(0.5, 2), b = c(1, 2); // same quadrant 3: the smaller real part has the bigger angle
    EXPECT_TRUE(Bigger2_Cplx(&a, &b));
    EXPECT_TRUE(Smaller2_Cplx(&b, &a));
    const Cplx one = c(1, 0), i = c(0, 1);
    Cplx r;
    EXPECT_FALSE(Max_Cplx(&r, &one, &i));
    EXPECT_TRUE(near(r, i, 0));
    EXPECT_TRUE(Min_Cplx(&r, &one, &i));
    EXPECT_TRUE(near(r, one, 0));
}

TEST(ComplexOrdering, EqualityWithAndWithoutTolerance) {
    const Cplx a = c(1, 2), b = c(1, 2), d = c(1.05, 1.95);
    EXPECT_TRUE(Equal_Cplx(&a, &b));
    EXPECT_FALSE(Equal_Cplx(&a, &d));
    EXPECT_TRUE(Equal_CplxTol(&a, &d, 0.1));
    EXPECT_FALSE(Equal_CplxTol(&a, &d, 0.01));
}

TEST(ComplexRecords, OperandsStayUnchangedAndResultMayAliasAnOperand) {
    const Cplx a0 = c(1, 2), b0 = c(3, 4);
    Cplx a = a0, b = b0, r;
    CMul_Cplx(&r, &a, &b);
    EXPECT_TRUE(near(a, a0, 0));
    EXPECT_TRUE(near(b, b0, 0));
    CMul_Cplx(&a, &a, &b); // result written over the first operand
    EXPECT_TRUE(near(a, c(-5, 10), 0));
    a = a0;
    CDiv_Cplx(&b, &a, &b); // over the second
    EXPECT_TRUE(near(b, c(0.44, 0.08), 2.3e-16));
    Cplx z = c(-3, 4);
    CSqrt_Cplx(&z, &z);
    EXPECT_TRUE(near(z, c(1, 2), 0));
    z = c(0, 1);
    ArcSin_Cplx(&z, &z);
    const Cplx expected = c(0, 0.881373587019543); // asinh 1
    EXPECT_TRUE(near(z, expected, 4e-16));
    a = c(1, 0);
    b = c(0, 1);
    Swap_Cplx(&a, &b);
    EXPECT_TRUE(near(a, c(0, 1), 0));
    EXPECT_TRUE(near(b, c(1, 0), 0));
}

// A grid over the four quadrants, away from the branch points and poles.
std::vector<Cplx> grid(double reach) {
    std::vector<Cplx> points;
    for (double re = -reach; re <= reach; re += reach / 7.3) {
        for (double im = -reach; im <= reach; im += reach / 6.1) {
            points.push_back(c(re, im));
        }
    }
    return points;
}

TEST(ComplexIdentities, ZTimesItsInverseIsOne) {
    for (const Cplx& z : grid(50)) {
        const Cplx inv = call(CInv_Cplx, z);
        EXPECT_TRUE(near(call(CMul_Cplx, z, inv), c(1, 0), 4e-16)) << z.Re << ", " << z.Im;
        EXPECT_TRUE(near(call(CDiv_Cplx, c(1, 0), z), inv, 4e-16)) << z.Re << ", " << z.Im;
    }
}

TEST(ComplexIdentities, ExpOfLnGivesZBack) {
    for (const Cplx& z : grid(1e3)) {
        EXPECT_TRUE(near(call(Exp_Cplx, call(Ln_Cplx, z)), z, 2e-15)) << z.Re << ", " << z.Im;
    }
}

TEST(ComplexIdentities, ArcSinOfSinGivesZBackInThePrincipalRange) {
    // Principal range: |Re| < pi/2.
    for (double re = -1.5; re <= 1.5; re += 0.11) {
        for (double im = -3; im <= 3; im += 0.37) {
            const Cplx z = c(re, im);
            EXPECT_TRUE(near(call(ArcSin_Cplx, call(Sin_Cplx, z)), z, 1e-13)) << re << ", " << im;
        }
    }
}

TEST(ComplexIdentities, InverseFunctionsUndoTheirFunctions) {
    struct Pair {
        std::string name;
        Unary f, inverse;
    };
    for (const Pair& p : {Pair{"Tan", Tan_Cplx, ArcTan_Cplx}, Pair{"Sinh", Sinh_Cplx, ArcSinh_Cplx},
                          Pair{"Tanh", Tanh_Cplx, ArcTanh_Cplx}, Pair{"Cos", Cos_Cplx, ArcCos_Cplx}}) {
        for (double re = 0.05; re <= 1.2; re += 0.13) {
            for (double im = 0.05; im <= 1.2; im += 0.17) {
                const Cplx z = c(re, im);
                EXPECT_TRUE(near(call(p.inverse, call(p.f, z)), z, 1e-13))
                    << p.name << " " << re << ", " << im;
            }
        }
    }
}

TEST(ComplexIdentities, ReciprocalFunctionsAreInversesOfTheirPartners) {
    struct Pair {
        std::string name;
        Unary f, partner;
    };
    for (const Pair& p : {Pair{"Sec/Cos", Sec_Cplx, Cos_Cplx}, Pair{"Csc/Sin", Csc_Cplx, Sin_Cplx},
                          Pair{"Cot/Tan", Cot_Cplx, Tan_Cplx}, Pair{"Sech/Cosh", Sech_Cplx, Cosh_Cplx},
                          Pair{"Csch/Sinh", Csch_Cplx, Sinh_Cplx}, Pair{"Coth/Tanh", Coth_Cplx, Tanh_Cplx}}) {
        for (const Cplx& z : grid(2)) {
            if (z.Re == 0 && z.Im == 0) {
                continue;
            }
            EXPECT_TRUE(near(call(CMul_Cplx, call(p.f, z), call(p.partner, z)), c(1, 0), 1e-14))
                << p.name << " " << z.Re << ", " << z.Im;
        }
    }
}

} // namespace
