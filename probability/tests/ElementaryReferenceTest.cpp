// The real elementary functions against the mpmath reference table: at most
// one unit in the last place everywhere, with the huge arguments, the
// neighbours of multiples of pi/2 and of the poles, the subnormals and the
// domain ends; no answer (NaN) exactly where none exists.
#include "probability.h"
#include "reference_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using reference::Row;

const std::map<std::string, std::function<double(double)>>& unaryFunctions() {
    static const std::map<std::string, std::function<double(double)>> functions = {
        {"Sin", Sin_Double},
        {"Cos", Cos_Double},
        {"Tan", Tan_Double},
        {"Sec", Sec_Double},
        {"Csc", Csc_Double},
        {"Cot", Cot_Double},
        {"FixAngle", FixAngle_Double},
        {"ArcTanh", ArcTanh_Double},
        {"ArcCoth", ArcCoth_Double},
        {"ArcSec", ArcSec_Double},
        {"ArcCsc", ArcCsc_Double},
        {"ArcSech", ArcSech_Double},
        {"ArcCsch", ArcCsch_Double},
        {"ArcSinh", ArcSinh_Double},
        {"ArcCosh", ArcCosh_Double},
        {"ArcSin", ArcSin_Double},
        {"ArcTan", ArcTan_Double},
        {"Sinh", Sinh_Double},
        {"Cosh", Cosh_Double},
        {"Tanh", Tanh_Double},
        {"Csch", Csch_Double},
        {"Sech", Sech_Double},
        // The pair functions against the same rows as their parts.
        {"SinCos.Sin",
         [](double x) {
             double s, c;
             SinCos_Double(x, &s, &c);
             return s;
         }},
        {"SinCos.Cos",
         [](double x) {
             double s, c;
             SinCos_Double(x, &s, &c);
             return c;
         }},
        {"Expj.Sin",
         [](double x) {
             Cplx r;
             Expj_Double(&r, x);
             return r.Im;
         }},
        {"Expj.Cos",
         [](double x) {
             Cplx r;
             Expj_Double(&r, x);
             return r.Re;
         }},
    };
    return functions;
}

class ElementaryReference : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = Get8087CW_Word();
        Set8087CW_Word(ProMathCW_Word());
    }
    void TearDown() override { Set8087CW_Word(saved_); }

    static void expectWithinOneUlp(const std::string& function, double got, const Row& row) {
        EXPECT_LE(reference::ulpError(got, row.expected[0]), 1.0)
            << function << " gave " << got << " for " << row.text;
    }

private:
    uint16_t saved_ = 0;
};

TEST_F(ElementaryReference, EveryUnaryFunctionWithinOneUlpOverItsWholeDomain) {
    const auto rows = reference::load("elementary.tsv", 1);
    ASSERT_GT(rows.size(), 2000u);
    std::map<std::string, int> checked;
    for (const Row& row : rows) {
        if (row.name == "Rem") {
            continue;
        }
        const auto& functions = unaryFunctions();
        ASSERT_TRUE(functions.count(row.name)) << row.text;
        expectWithinOneUlp(row.name, functions.at(row.name)(row.arguments[0]), row);
        ++checked[row.name];
        if (row.name == "Sin" || row.name == "Cos") {
            for (const char* pair : {".SinCos", ".Expj"}) {
                const std::string part = std::string(pair + 1) + "." + row.name;
                expectWithinOneUlp(part, functions.at(part)(row.arguments[0]), row);
            }
        }
    }
    EXPECT_EQ(checked.size(), unaryFunctions().size() - 4) << "a function of the table went unchecked";
}

// The remainder to nearest is exact, and so is FixAngle's quotient, whatever
// rounding and precision the caller has left in the control word.
TEST_F(ElementaryReference, RemainderAndFixAngleIgnoreTheCallersRounding) {
    const auto rows = reference::load("elementary.tsv", 2);
    const auto angles = reference::load("elementary.tsv", 1);
    for (uint16_t control : {0x133F, 0x173F, 0x1B3F, 0x1F3F, 0x103F, 0x123F}) {
        Set8087CW_Word(control);
        for (const Row& row : rows) {
            if (row.name == "Rem") {
                const double got = Rem_Double(row.arguments[0], row.arguments[1]);
                Set8087CW_Word(ProMathCW_Word());
                EXPECT_EQ(reference::ulpError(got, row.expected[0]), 0.0)
                    << std::hex << control << " " << row.text;
                Set8087CW_Word(control);
            }
        }
        for (const Row& row : angles) {
            if (row.name == "FixAngle") {
                const double got = FixAngle_Double(row.arguments[0]);
                Set8087CW_Word(ProMathCW_Word());
                expectWithinOneUlp("FixAngle", got, row);
                Set8087CW_Word(control);
            }
        }
    }
    EXPECT_EQ(Get8087CW_Word(), 0x123F) << "the caller's control word comes back";
}

} // namespace
