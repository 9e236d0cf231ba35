// The special functions and distributions against the 50-digit reference
// tables of tests/reference (made by make_tables.py from mpmath, never from
// this library). Each family has its bound: units in the last place for the
// functions a double can hold to the last bit, a relative bound for the
// incomplete functions and the inverses.
#include "probability.h"
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

struct Row {
    std::vector<double> args;
    std::vector<__float128> values;
};

// name -> rows of one table file
std::map<std::string, std::vector<Row>> readTable(const std::string& file) {
    std::map<std::string, std::vector<Row>> table;
    std::ifstream in(std::string(PROBABILITY_REFERENCE_DIR) + "/" + file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, field;
        std::getline(fields, name, '\t');
        std::vector<std::string> parts;
        while (std::getline(fields, field, '\t'))
            parts.push_back(field);
        table[name].push_back(Row{{}, {}});
        Row& row = table[name].back();
        // Complex results take two columns, so the caller says how many.
        row.args.reserve(parts.size());
        for (const auto& p : parts) {
            row.args.push_back(std::strtod(p.c_str(), nullptr));
            row.values.push_back(strtoflt128(p.c_str(), nullptr));
        }
    }
    return table;
}

const std::map<std::string, std::vector<Row>>& table(const std::string& file) {
    static std::map<std::string, std::map<std::string, std::vector<Row>>> cache;
    auto it = cache.find(file);
    if (it == cache.end())
        it = cache.emplace(file, readTable(file)).first;
    return it->second;
}

enum class Metric { Ulp, Relative };

struct Check {
    std::string name;
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
    const auto& rows = table(file);
    const auto it = rows.find(c.name);
    ASSERT_NE(it, rows.end()) << "no rows for " << c.name << " in " << file;
    double worst = 0;
    std::string worstAt, misses;
    int missed = 0;
    for (const Row& r : it->second) {
        const double got = c.f(r.args.data());
        const double e = error(c.metric, got, r.values.back());
        std::ostringstream at;
        at.precision(17);
        for (size_t i = 0; i + 1 < r.args.size(); ++i)
            at << r.args[i] << " ";
        at << "-> " << got << " want " << static_cast<double>(r.values.back()) << " (" << e << ")";
        if (!(e <= worst) || std::isnan(e))
            worst = e, worstAt = at.str();
        if (!(e <= c.bound) && ++missed <= 6)
            misses += "\n  " + at.str();
    }
    std::printf("%-16s %5zu rows, worst %.3g %s at %s\n", c.name.c_str(), it->second.size(), worst,
                c.metric == Metric::Ulp ? "ulp" : "rel", worstAt.c_str());
    EXPECT_EQ(missed, 0) << c.name << ": " << missed << " rows beyond " << c.bound << misses;
}

using A = const double*;

TEST(SpecialReference, GammaFamilyWithinTwoUlps) {
    const Check checks[] = {
        {"Gamma", [](A a) { return Gamma_Double(a[0]); }, Metric::Ulp, 2},
        {"LnGamma", [](A a) { return LnGamma_Double(a[0]); }, Metric::Ulp, 2},
        {"Beta", [](A a) { return Beta_Double(a[0], a[1]); }, Metric::Ulp, 2},
        {"Binomial", [](A a) { return Binomial_Integer(int32_t(a[0]), int32_t(a[1])); }, Metric::Ulp, 2},
    };
    for (const auto& c : checks)
        checkAll("special.tsv", c);
}

TEST(SpecialReference, ErrorFunctionsWithinTwoUlps) {
    const Check checks[] = {
        {"Erf", [](A a) { return Erf_Double(a[0]); }, Metric::Ulp, 2},
        {"Erfc", [](A a) { return Erfc_Double(a[0]); }, Metric::Ulp, 2},
        {"ErfInv", [](A a) { return ErfInv_Double(a[0]); }, Metric::Ulp, 2},
    };
    for (const auto& c : checks)
        checkAll("special.tsv", c);
}

TEST(SpecialReference, IncompleteFunctionsToFourteenDigits) {
    const Check checks[] = {
        {"IGamma", [](A a) { return IGamma_Double(a[0], a[1]); }, Metric::Relative, 1e-14},
        {"JGamma", [](A a) { return JGamma_Double(a[0], a[1]); }, Metric::Relative, 1e-14},
        {"GammaSer", [](A a) { return GammaSer_Double(a[0], a[1]); }, Metric::Relative, 1e-14},
        {"GammaFrac", [](A a) { return GammaFrac_Double(a[0], a[1]); }, Metric::Relative, 1e-14},
        // A shape of 1e6 beside one below 10, with x within 1e-5 of 1, still loses
        // a few bits in the continued fraction (up to 3.1e-14).
        {"BetaIncomplete", [](A a) { return BetaIncomplete_Double(a[0], a[1], a[2]); }, Metric::Relative,
         4e-14},
    };
    for (const auto& c : checks)
        checkAll("special.tsv", c);
}

// J0 and I0 of complex argument: the error is measured against the size of
// the function's envelope, since J0 on the real axis has zeros.
TEST(SpecialReference, BesselFunctionsNormwise) {
    for (const char* name : {"BesselJO", "BesselIO"}) {
        const auto& rows = table("special.tsv").at(name);
        double worst = 0;
        for (const Row& r : rows) {
            const Cplx z{r.args[0], r.args[1]};
            Cplx w{};
            (std::string(name) == "BesselJO" ? BesselJO : BesselIO)(&w, &z);
            const __float128 re = r.values[2], im = r.values[3];
            const double envelope = std::max(1.0, std::exp(std::fabs(name[6] == 'J' ? z.Im : z.Re))) /
                                    std::sqrt(std::max(1.0, std::hypot(z.Re, z.Im)));
            const double e =
                static_cast<double>(sqrtq((w.Re - re) * (w.Re - re) + (w.Im - im) * (w.Im - im)) /
                                    fmaxq(sqrtq(re * re + im * im), static_cast<__float128>(envelope) / 4));
            worst = std::max(worst, e);
            EXPECT_LE(e, 1e-14) << name << " " << z.Re << " " << z.Im << " -> " << w.Re << " " << w.Im;
        }
        std::printf("%-16s %5zu rows, worst %.3g\n", name, rows.size(), worst);
    }
}

TEST(DistributionReference, DensitiesWithinFourUlps) {
    const Check checks[] = {
        {"NormalPDF", [](A a) { return NormalPDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 4},
        {"StudentPDF", [](A a) { return StudentPDF_Double(a[0], int32_t(a[1])); }, Metric::Ulp, 4},
        {"GammaPDF", [](A a) { return GammaPDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 4},
        {"BetaPDF", [](A a) { return BetaPDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 4},
    };
    for (const auto& c : checks)
        checkAll("distributions.tsv", c);
}

TEST(DistributionReference, DistributionFunctionsInBothTails) {
    const Check checks[] = {
        {"NormalCDF", [](A a) { return NormalCDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 2},
        {"CauchyCDF", [](A a) { return CauchyCDF_Double(a[0], a[1], a[2]); }, Metric::Ulp, 2},
        {"StudentCDF", [](A a) { return StudentCDF_Double(a[0], int32_t(a[1])); }, Metric::Relative, 1e-13},
        {"FCDF", [](A a) { return FCDF_Double(a[0], int32_t(a[1]), int32_t(a[2])); }, Metric::Relative,
         1e-13},
        {"BinomCDF", [](A a) { return BinomCDF_Double(a[0], int32_t(a[1]), a[2]); }, Metric::Relative, 1e-13},
        {"GammaCDF", [](A a) { return GammaCDF_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"BetaCDF", [](A a) { return BetaCDF_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"PoissonCDF", [](A a) { return PoissonCDF_Double(a[0], a[1]); }, Metric::Relative, 1e-13},
    };
    for (const auto& c : checks)
        checkAll("distributions.tsv", c);
}

TEST(DistributionReference, InversesWithinOneInTenToTheThirteenOfTheRoot) {
    const Check checks[] = {
        {"NormalCDFInv", [](A a) { return NormalCDFInv_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"StudentCDFInv", [](A a) { return StudentCDFInv_Double(a[0], int32_t(a[1])); }, Metric::Relative,
         1e-13},
        {"FCDFInv", [](A a) { return FCDFInv_Double(a[0], int32_t(a[1]), int32_t(a[2])); }, Metric::Relative,
         1e-13},
        {"GammaCDFInv", [](A a) { return GammaCDFInv_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"BetaCDFInv", [](A a) { return BetaCDFInv_Double(a[0], a[1], a[2]); }, Metric::Relative, 1e-13},
        {"ChiSquareDDFInv", [](A a) { return ChiSquareDDFInv_Double(a[0], int32_t(a[1])); }, Metric::Relative,
         1e-13},
        {"MaxwellCDFInv", [](A a) { return MaxwellCDFInv_Double(a[0], a[1]); }, Metric::Relative, 1e-13},
    };
    for (const auto& c : checks) {
        // An inverse that finds no root raises; here every root exists.
        EXPECT_NO_THROW(checkAll("distributions.tsv", c)) << c.name;
    }
}

} // namespace
