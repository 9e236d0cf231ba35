// The complex elementary functions against the mpmath reference table:
// normwise within 2 ulps everywhere, each part within 4 ulps where it is not
// near a zero of its own (below 2^-16 of the modulus), and every zero part
// that comes out exactly zero signed as C99 Annex G puts it (the sides of
// the branch cuts).
#include "probability.h"
#include "reference_table.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using reference::Quad;
using reference::Row;

using Function = void (*)(Cplx*, const Cplx*);

const std::map<std::string, Function>& functions() {
    static const std::map<std::string, Function> all = {
        {"Exp", Exp_Cplx},         {"Exp2", Exp2_Cplx},       {"Exp10", Exp10_Cplx},
        {"Ln", Ln_Cplx},           {"Log2", Log2_Cplx},       {"Log10", Log10_Cplx},
        {"Sin", Sin_Cplx},         {"Cos", Cos_Cplx},         {"Tan", Tan_Cplx},
        {"Cot", Cot_Cplx},         {"Sec", Sec_Cplx},         {"Csc", Csc_Cplx},
        {"Sinh", Sinh_Cplx},       {"Cosh", Cosh_Cplx},       {"Tanh", Tanh_Cplx},
        {"Coth", Coth_Cplx},       {"Sech", Sech_Cplx},       {"Csch", Csch_Cplx},
        {"ArcSin", ArcSin_Cplx},   {"ArcCos", ArcCos_Cplx},   {"ArcTan", ArcTan_Cplx},
        {"ArcSinh", ArcSinh_Cplx}, {"ArcCosh", ArcCosh_Cplx}, {"ArcTanh", ArcTanh_Cplx},
        {"ArcSec", ArcSec_Cplx},   {"ArcCsc", ArcCsc_Cplx},   {"ArcCot", ArcCot_Cplx},
        {"ArcSech", ArcSech_Cplx}, {"ArcCsch", ArcCsch_Cplx}, {"ArcCoth", ArcCoth_Cplx},
    };
    return all;
}

// Distance of (re, im) from the reference in ulps of the reference's modulus.
double normwiseError(Cplx got, Quad re, Quad im) {
    if (!std::isfinite(got.Re) || !std::isfinite(got.Im)) {
        return INFINITY;
    }
    const Quad dr = static_cast<Quad>(got.Re) - re;
    const Quad di = static_cast<Quad>(got.Im) - im;
    const Quad modulus = sqrtq(re * re + im * im);
    const Quad distance = sqrtq(dr * dr + di * di);
    if (modulus == 0) {
        return distance == 0 ? 0.0 : INFINITY;
    }
    return static_cast<double>(distance / reference::ulpAt(modulus));
}

class ComplexReference : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Get8087CW_Word();
        Set8087CW_Word(ProMathCW_Word());
    }
    void TearDown() override { Set8087CW_Word(saved_); }

private:
    uint16_t saved_ = 0;
};

TEST_F(ComplexReference, EveryFunctionAccurateInEveryQuadrantAndOnTheCuts) {
    const auto rows = reference::load("complex.tsv", 2);
    ASSERT_GT(rows.size(), 3000u);
    std::map<std::string, int> checked;
    for (const Row& row : rows) {
        ASSERT_TRUE(functions().count(row.name)) << row.text;
        ASSERT_EQ(row.expected.size(), 2u) << row.text;
        const Cplx z = {row.arguments[0], row.arguments[1]};
        Cplx r;
        functions().at(row.name)(&r, &z);
        ++checked[row.name];
        const Quad re = row.expected[0];
        const Quad im = row.expected[1];
        const bool special = isinfq(re) || isinfq(im) || isnanq(re) || isnanq(im);
        if (special) {
            EXPECT_EQ(reference::ulpError(r.Re, re) + reference::ulpError(r.Im, im), 0.0)
                << row.name << " gave (" << r.Re << ", " << r.Im << ") for " << row.text;
            continue;
        }
        EXPECT_LE(normwiseError(r, re, im), 2.0)
            << row.name << " gave (" << r.Re << ", " << r.Im << ") for " << row.text;
        const Quad modulus = sqrtq(re * re + im * im);
        const double parts[2] = {r.Re, r.Im};
        for (int part = 0; part < 2; ++part) {
            const Quad expected = row.expected[part];
            if (fabsq(expected) >= modulus * 0x1p-16Q) {
                EXPECT_LE(reference::ulpError(parts[part], expected), 4.0)
                    << row.name << (part == 0 ? " real" : " imaginary") << " part " << parts[part] << " for "
                    << row.text;
            }
        }
    }
    EXPECT_EQ(checked.size(), functions().size()) << "a function of the table went unchecked";
}

// The reference writes zero parts as "0" or "-0"; an exact zero result must
// carry that sign, as the side of a cut depends on it.
TEST_F(ComplexReference, ZeroPartsCarryTheSignOfTheirSide) {
    int zeros = 0;
    for (const Row& row : reference::load("complex.tsv", 2)) {
        const Cplx z = {row.arguments[0], row.arguments[1]};
        Cplx r;
        functions().at(row.name)(&r, &z);
        const std::size_t last = row.text.rfind('\t');
        const std::size_t before = row.text.rfind('\t', last - 1);
        const std::string fields[2] = {row.text.substr(before + 1, last - before - 1),
                                       row.text.substr(last + 1)};
        const double parts[2] = {r.Re, r.Im};
        for (int part = 0; part < 2; ++part) {
            if ((fields[part] == "0" || fields[part] == "-0") && parts[part] == 0) {
                ++zeros;
                EXPECT_EQ(std::signbit(parts[part]), fields[part] == "-0")
                    << row.name << (part == 0 ? " real" : " imaginary") << " zero for " << row.text;
            }
        }
    }
    EXPECT_GT(zeros, 300);
}

// e^(x + 0i) is real even where e^x overflows: (inf, 0), never sin 0 * inf.
TEST_F(ComplexReference, RealArgumentsOfTheExponentialsStayReal) {
    for (Function f : {Exp_Cplx, Exp2_Cplx, Exp10_Cplx}) {
        for (double zero : {0.0, -0.0}) {
            const Cplx z = {20000, zero};
            Cplx r;
            f(&r, &z);
            EXPECT_EQ(r.Re, INFINITY);
            EXPECT_EQ(r.Im, 0.0);
            EXPECT_EQ(std::signbit(r.Im), std::signbit(zero));
        }
    }
}

} // namespace
