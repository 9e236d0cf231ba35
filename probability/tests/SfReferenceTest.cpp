// The special functions and distributions against the 50-digit reference
// tables of tests/reference (made by make_tables.py from mpmath, never from
// this library). Each family has its bound: units in the last place for the
// functions a double can hold to the last bit, a relative bound for the
// incomplete functions and the inverses.
#include "probability.h"
#include "reference_table.h"
#include "sf_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using reference::Row;

// The rows of one function in one table; arity says how many leading fields
// are arguments.
std::vector<Row> rowsOf(const std::string& file, const std::string& name, std::size_t arity) {
    static std::map<std::pair<std::string, std::size_t>, std::vector<Row>> cache;
    auto it = cache.find({file, arity});
    if (it == cache.end())
        it = cache.emplace(std::make_pair(file, arity), reference::load(file, arity)).first;
    std::vector<Row> rows;
    for (const Row& r : it->second)
        if (r.name == name)
            rows.push_back(r);
    return rows;
}

enum class Metric { Ulp, Relative };

struct Check {
    std::string name;
    std::size_t arity;
    std::function<double(const double*)> f;
    Metric metric;
    double bound;
};

double error(Metric m, double got, __float128 ref) {
    if (m == Metric::Ulp)
        return special_test::ulpError(got, ref);
    if (ref == 0)
        return got == 0 ? 0 : std::numeric_limits<double>::infinity();
    if (std::isinf(got) || std::isnan(got))
        return got == static_cast<double>(ref) ? 0 : std::numeric_limits<double>::infinity();
    return special_test::relativeError(got, ref);
}

// Checks every row of one function; lists the first few misses and the worst.
void checkAll(const std::string& file, const Check& c) {
    const std::vector<Row> rows = rowsOf(file, c.name, c.arity);
    ASSERT_FALSE(rows.empty()) << "no rows for " << c.name << " in " << file;
    double worst = 0;
    std::string worstAt, misses;
    int missed = 0;
    for (const Row& r : rows) {
        const double got = c.f(r.arguments.data());
        const double e = error(c.metric, got, r.expected.front());
        std::ostringstream at;
        at.precision(17);
        for (double v : r.arguments)
            at << v << " ";
        at << "-> " << got << " want " << static_cast<double>(r.expected.front()) << " (" << e << ")";
        if (!(e <= worst) || std::isnan(e))
            worst = e, worstAt = at.str();
        if (!(e <= c.bound) && ++missed <= 6)
            misses += "\n  " + at.str();
    }
    std::printf("%-16s %5zu rows, worst %.3g %s at %s\n", c.name.c_str(), rows.size(), worst,
                c.metric == Metric::Ulp ? "ulp" : "rel", worstAt.c_str());
    EXPECT_EQ(missed, 0) << c.name << ": " << missed << " rows beyond " << c.bound << misses;
}

using A = const double*;

TEST(SpecialReference, GammaFamilyWithinTwoUlps) {
    const Check checks[] = {
        {"Gamma", 1, [](A a) { return Gamma_Double(a[0]); }, Metric::Ulp, 2},
        {"LnGamma", 1, [](A a) { return LnGamma_Double(a[0]); }, Metric::Ulp, 2},
        {"Beta", 2, [](A a) { return Beta_Double(a[0], a[1]); }, Metric::Ulp, 2},
        {"Binomial", 2, [](A a) { return Binomial_Integer(int32_t(a[0]), int32_t(a[1])); }, Metric::Ulp, 2},
    };
    for (const auto& c : checks)
        checkAll("functions.tsv", c);
}

TEST(SpecialReference, ErrorFunctionsWithinTwoUlps) {
    const Check checks[] = {
        {"Erf", 1, [](A a) { return Erf_Double(a[0]); }, Metric::Ulp, 2},
        {"Erfc", 1, [](A a) { return Erfc_Double(a[0]); }, Metric::Ulp, 2},
        {"ErfInv", 1, [](A a) { return ErfInv_Double(a[0]); }, Metric::Ulp, 2},
    };
    for (const auto& c : checks)
        checkAll("functions.tsv", c);
}

TEST(SpecialReference, IncompleteFunctionsToFourteenDigits) {
    const Check checks[] = {
        {"IGamma", 2, [](A a) { return IGamma_Double(a[0], a[1]); }, Metric::Relative, 1e-14},
        {"JGamma", 2, [](A a) { return JGamma_Double(a[0], a[1]); }, Metric::Relative, 1e-14},
        {"GammaSer", 2, [](A a) { return GammaSer_Double(a[0], a[1]); }, Metric::Relative, 1e-14},
        {"GammaFrac", 2, [](A a) { return GammaFrac_Double(a[0], a[1]); }, Metric::Relative, 1e-14},
        {"BetaIncomplete", 3, [](A a) { return BetaIncomplete_Double(a[0], a[1], a[2]); }, Metric::Relative,
         1e-14},
    };
    for (const auto& c : checks)
        checkAll("functions.tsv", c);
}

// The distance of a complex result from its reference.
double distance(Cplx w, __float128 re, __float128 im) {
    return static_cast<double>(sqrtq((w.Re - re) * (w.Re - re) + (w.Im - im) * (w.Im - im)));
}

// J0 and I0 of complex argument: the error is measured against the size of
// the function's envelope, since J0 on the real axis has zeros.
TEST(SpecialReference, BesselFunctionsNormwise) {
    for (const char* name : {"BesselJO", "BesselIO"}) {
        const std::vector<Row> rows = rowsOf("functions.tsv", name, 2);
        double worst = 0;
        for (const Row& r : rows) {
            const Cplx z{r.arguments[0], r.arguments[1]};
            Cplx w{};
            (std::string(name) == "BesselJO" ? BesselJO : BesselIO)(&w, &z);
            const __float128 re = r.expected[0], im = r.expected[1];
            const double envelope = std::max(1.0, std::exp(std::fabs(name[6] == 'J' ? z.Im : z.Re))) /
                                    std::sqrt(std::max(1.0, std::hypot(z.Re, z.Im)));
            const double e =
                distance(w, re, im) / static_cast<double>(fmaxq(sqrtq(re * re + im * im), envelope / 4));
            worst = std::max(worst, e);
            EXPECT_LE(e, 1e-14) << name << " " << z.Re << " " << z.Im << " -> " << w.Re << " " << w.Im;
        }
        std::printf("%-16s %5zu rows, worst %.3g\n", name, rows.size(), worst);
    }
}

// P(a, z) and Q(a, z) of a real shape and a complex argument: within 2 ulps
// of the modulus normwise; each part not near a zero of its own (below 2^-16
// of the modulus) within 16 ulps, not 4: the phase a arg z - Im z, some 200
// radians at a = 100, carries an absolute rounding near 1e-17, which a part
// 1/270 of the modulus feels 270 times. IGamma and JGamma are the same
// functions where they are defined (JGamma for Re z >= 0).
TEST(SpecialReference, ComplexIncompleteGammaWithinTwoUlpsNormwise) {
    using Function = void (*)(Cplx*, double, const Cplx*);
    const struct {
        const char* rows;
        Function f;
        bool rightHalfPlane;
    } checks[] = {{"GammaSer_Cplx", GammaSer_Cplx, false},
                  {"GammaFrac_Cplx", GammaFrac_Cplx, false},
                  {"GammaSer_Cplx", IGamma_Cplx, false},
                  {"GammaFrac_Cplx", JGamma_Cplx, true}};
    for (const auto& c : checks) {
        const std::vector<Row> rows = rowsOf("functions.tsv", c.rows, 3);
        ASSERT_GT(rows.size(), 500u) << c.rows;
        double worst = 0, worstPart = 0;
        for (const Row& r : rows) {
            const Cplx z{r.arguments[1], r.arguments[2]};
            if (c.rightHalfPlane && z.Re < 0)
                continue;
            Cplx w{};
            c.f(&w, r.arguments[0], &z);
            const __float128 modulus = sqrtq(r.expected[0] * r.expected[0] + r.expected[1] * r.expected[1]);
            const double e =
                distance(w, r.expected[0], r.expected[1]) / static_cast<double>(reference::ulpAt(modulus));
            worst = std::max(worst, e);
            EXPECT_LE(e, 2) << r.text << " -> " << w.Re << " " << w.Im;
            const double parts[2] = {w.Re, w.Im};
            for (int part = 0; part < 2; ++part)
                if (fabsq(r.expected[part]) >= modulus * 0x1p-16Q) {
                    const double p = reference::ulpError(parts[part], r.expected[part]);
                    worstPart = std::max(worstPart, p);
                    EXPECT_LE(p, 16) << (part == 0 ? "real" : "imaginary") << " part of " << r.text;
                }
        }
        std::printf("%-16s %5zu rows, worst %.3g ulp normwise, %.3g ulp per part\n", c.rows, rows.size(),
                    worst, worstPart);
    }
}

TEST(DistributionReference, DensitiesWithinFourUlps) {
    const Check checks[] = {
        {"NormalPDF", 3, [](A a) { return NormalPDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 4},
        {"StudentPDF", 2, [](A a) { return StudentPDF_Double(a[0], int32_t(a[1])); }, Metric::Ulp, 4},
        {"GammaPDF", 3, [](A a) { return GammaPDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 4},
        {"BetaPDF", 3, [](A a) { return BetaPDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 4},
    };
    for (const auto& c : checks)
        checkAll("distributions.tsv", c);
}

TEST(DistributionReference, DistributionFunctionsInBothTails) {
    const Check checks[] = {
        {"NormalCDF", 3, [](A a) { return NormalCDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 2},
        {"CauchyCDF", 3, [](A a) { return CauchyCDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 2},
        {"StudentCDF", 2, [](A a) { return StudentCDF_Double(a[0], int32_t(a[1])); }, Metric::Relative,
         1e-13},
        {"FCDF", 3, [](A a) { return FCDF_Double(a[0], int32_t(a[1]), int32_t(a[2])); }, Metric::Relative,
         1e-13},
        {"BinomCDF", 3, [](A a) { return BinomCDF_Double(a[0], int32_t(a[1]), a[2]); }, Metric::Relative,
         1e-13},
        {"GammaCDF", 3, [](A a) { return GammaCDF_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"BetaCDF", 3, [](A a) { return BetaCDF_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"PoissonCDF", 2, [](A a) { return PoissonCDF_Double(a[0], a[1]); }, Metric::Relative, 1e-13},
    };
    for (const auto& c : checks)
        checkAll("distributions.tsv", c);
}

TEST(DistributionReference, InversesWithinOneInTenToTheThirteenOfTheRoot) {
    const Check checks[] = {
        {"NormalCDFInv", 3, [](A a) { return NormalCDFInv_Double(a[0], a[1], a[2]); }, Metric::Relative,
         1e-13},
        {"StudentCDFInv", 2, [](A a) { return StudentCDFInv_Double(a[0], int32_t(a[1])); }, Metric::Relative,
         1e-13},
        {"FCDFInv", 3, [](A a) { return FCDFInv_Double(a[0], int32_t(a[1]), int32_t(a[2])); },
         Metric::Relative, 1e-13},
        {"GammaCDFInv", 3, [](A a) { return GammaCDFInv_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"BetaCDFInv", 3, [](A a) { return BetaCDFInv_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"ChiSquareDDFInv", 2, [](A a) { return ChiSquareDDFInv_Double(a[0], int32_t(a[1])); },
         Metric::Relative, 1e-13},
        {"MaxwellCDFInv", 2, [](A a) { return MaxwellCDFInv_Double(a[0], a[1]); }, Metric::Relative, 1e-13},
    };
    for (const auto& c : checks) {
        // An inverse that finds no root raises; here every root exists.
        EXPECT_NO_THROW(checkAll("distributions.tsv", c)) << c.name;
    }
}

} // namespace
