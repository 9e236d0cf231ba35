// Distribution values derived by hand from the closed forms and small counts.
#include "probability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double e = std::exp(1.0);

struct Case {
    std::string what;
    std::function<double()> call;
    double expected;
};

void expectNear(const Case& c, double tolerance) {
    const double got = c.call();
    if (std::isnan(c.expected)) {
        EXPECT_TRUE(std::isnan(got)) << c.what << " gave " << got;
    } else if (std::isinf(c.expected) || c.expected == 0) {
        EXPECT_EQ(got, c.expected) << c.what;
    } else {
        EXPECT_NEAR(got, c.expected, tolerance * std::fabs(c.expected)) << c.what;
    }
}

const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(DistributionValues, ContinuousDensitiesAndDistributionFunctions) {
    const Case cases[] = {
        {"NormalCDF(0,0,1)", [] { return NormalCDF_Double(0, 0, 1); }, 0.5},
        {"NormalPDF(0,0,1)", [] { return NormalPDF_Double(0, 0, 1); }, 0.3989422804014327},
        {"NormalPDF sigma 0", [] { return NormalPDF_Double(0, 0, 0); }, nan},
        {"NormalCDF(1.96)", [] { return NormalCDF_Double(1.959963984540054, 0, 1); }, 0.975},
        {"ExpCDF(1,1)", [] { return ExpCDF_Double(1, 1); }, 1 - 1 / e},
        {"ExpPDF(-1,1)", [] { return ExpPDF_Double(-1, 1); }, 0},
        {"ExpPDF(1,0)", [] { return ExpPDF_Double(1, 0); }, nan},
        {"ExpPDF(2,2)", [] { return ExpPDF_Double(2, 2); }, 0.5 / e},
        {"UniformPDF(1,2,2)", [] { return UniformPDF_Double(1, 2, 2); }, nan},
        {"UniformPDF(1,0,4)", [] { return UniformPDF_Double(1, 0, 4); }, 0.25},
        {"UniformCDF(3,0,4)", [] { return UniformCDF_Double(3, 0, 4); }, 0.75},
        {"UniformCDF(5,0,4)", [] { return UniformCDF_Double(5, 0, 4); }, 1},
        {"StudentCDF(0,5)", [] { return StudentCDF_Double(0, 5); }, 0.5},
        {"StudentCDF(1,1)", [] { return StudentCDF_Double(1, 1); }, 0.75},
        // Two degrees of freedom: F(t) = 1/2 + t / (2 sqrt(2 + t^2)).
        {"StudentCDF(1,2)", [] { return StudentCDF_Double(1, 2); }, 0.5 + 1 / (2 * std::sqrt(3.0))},
        {"StudentPDF(0,1)", [] { return StudentPDF_Double(0, 1); }, 1 / M_PI},
        {"CauchyPDF(0,1,0)", [] { return CauchyPDF_Double(0, 1, 0); }, 1 / M_PI},
        {"CauchyCDF(1,1,0)", [] { return CauchyCDF_Double(1, 1, 0); }, 0.75},
        {"CauchyCDF(-1,1,0)", [] { return CauchyCDF_Double(-1, 1, 0); }, 0.25},
        {"BetaPDF(0.5,2,2)", [] { return BetaPDF_Double(0.5, 2, 2); }, 1.5},
        {"BetaPDF(0,0.5,2)", [] { return BetaPDF_Double(0, 0.5, 2); }, inf},
        {"BetaPDF(2,2,2)", [] { return BetaPDF_Double(2, 2, 2); }, nan},
        {"BetaCDF(0.5,2,2)", [] { return BetaCDF_Double(0.5, 2, 2); }, 0.5},
        // I_x(2, 3) = 6x^2 - 8x^3 + 3x^4
        {"BetaCDF(0.25,2,3)", [] { return BetaCDF_Double(0.25, 2, 3); }, 6 / 16.0 - 8 / 64.0 + 3 / 256.0},
        {"BetaCDF(2,2,3)", [] { return BetaCDF_Double(2, 2, 3); }, 1},
        {"GammaPDF(0,0.5,1)", [] { return GammaPDF_Double(0, 0.5, 1); }, inf},
        {"GammaPDF(0,1,2)", [] { return GammaPDF_Double(0, 1, 2); }, 0.5},
        {"GammaPDF(2,2,1)", [] { return GammaPDF_Double(2, 2, 1); }, 2 / (e * e)},
        {"GammaCDF(2,1,1)", [] { return GammaCDF_Double(2, 1, 1); }, 1 - 1 / (e * e)},
        {"GammaCDF(1,0,1)", [] { return GammaCDF_Double(1, 0, 1); }, nan},
        // Chi-square with 2 degrees of freedom is exponential with mean 2.
        {"ChiSquarePDF(2,2)", [] { return ChiSquarePDF_Double(2, 2); }, 0.5 / e},
        {"ChiSquareCDF(2,2)", [] { return ChiSquareCDF_Double(2, 2); }, 1 - 1 / e},
        {"ChiSquareCDF(2,0)", [] { return ChiSquareCDF_Double(2, 0); }, nan},
        // F(2, 2): density 1/(1+x)^2, distribution x/(1+x).
        {"FPDF(1,2,2)", [] { return FPDF_Double(1, 2, 2); }, 0.25},
        {"FCDF(1,2,2)", [] { return FCDF_Double(1, 2, 2); }, 0.5},
        {"FCDF(3,2,2)", [] { return FCDF_Double(3, 2, 2); }, 0.75},
        {"FPDF(-1,2,2)", [] { return FPDF_Double(-1, 2, 2); }, 0},
        {"FPDF(1,0,2)", [] { return FPDF_Double(1, 0, 2); }, nan},
        // Maxwell with A = 1: sqrt(2/pi) x^2 e^(-x^2/2); CDF erf(x/sqrt2) - sqrt(2/pi) x e^(-x^2/2).
        {"MaxwellPDF(1,1)", [] { return MaxwellPDF_Double(1, 1); }, std::sqrt(2 / M_PI) / std::sqrt(e)},
        {"MaxwellCDF(1,1)", [] { return MaxwellCDF_Double(1, 1); },
         std::erf(1 / std::sqrt(2.0)) - std::sqrt(2 / M_PI) / std::sqrt(e)},
        {"MaxwellCDF(-1,1)", [] { return MaxwellCDF_Double(-1, 1); }, nan},
        {"ParetoPDF(2,1,1)", [] { return ParetoPDF_Double(2, 1, 1); }, 0.25},
        {"ParetoCDF(2,1,1)", [] { return ParetoCDF_Double(2, 1, 1); }, 0.5},
        {"ParetoCDF(0.5,1,1)", [] { return ParetoCDF_Double(0.5, 1, 1); }, nan},
        {"RayleighPDF(1,1)", [] { return RayleighPDF_Double(1, 1); }, 1 / std::sqrt(e)},
        {"RayleighCDF(1,1)", [] { return RayleighCDF_Double(1, 1); }, 1 - 1 / std::sqrt(e)},
        {"WeibullPDF(1,1,2)", [] { return WeibullPDF_Double(1, 1, 2); }, 2 / e},
        {"WeibullPDF(0,3,1)", [] { return WeibullPDF_Double(0, 3, 1); }, 3},
        {"WeibullPDF(0,3,0.5)", [] { return WeibullPDF_Double(0, 3, 0.5); }, inf},
        {"WeibullCDF(1,1,2)", [] { return WeibullCDF_Double(1, 1, 2); }, 1 - 1 / e},
        {"BoseEinstein(1,1)", [] { return BoseEinsteinPDF_Double(1, 1); }, 1 / (e - 1)},
        {"FermiDirac(1,1,-1)", [] { return FermiDiracPDF_Double(1, 1, -1); }, 0.5},
        {"FermiDirac(1,1,0)", [] { return FermiDiracPDF_Double(1, 1, 0); }, 1 / (e + 1)},
    };
    for (const auto& c : cases)
        expectNear(c, 1e-14);
}

TEST(DistributionValues, DiscreteMassesAtSmallCounts) {
    const Case cases[] = {
        {"BinomPDF(2,4,0.5)", [] { return BinomPDF_Double(2, 4, 0.5); }, 0.375},
        {"BinomPDF(1.5,4,0.5)", [] { return BinomPDF_Double(1.5, 4, 0.5); }, 0},
        {"BinomPDF(0,3,0.2)", [] { return BinomPDF_Double(0, 3, 0.2); }, 0.512},
        {"BinomPDF(3,3,0.2)", [] { return BinomPDF_Double(3, 3, 0.2); }, 0.008},
        {"BinomPDF(5,4,0.5)", [] { return BinomPDF_Double(5, 4, 0.5); }, nan},
        {"BinomPDF(1,4,1.5)", [] { return BinomPDF_Double(1, 4, 1.5); }, nan},
        {"BinomCDF(0,3,0.2)", [] { return BinomCDF_Double(0, 3, 0.2); }, 0.512},
        {"BinomCDF(1,3,0.2)", [] { return BinomCDF_Double(1, 3, 0.2); }, 0.512 + 0.384},
        {"BinomCDF(1.5,3,0.2)", [] { return BinomCDF_Double(1.5, 3, 0.2); }, 0.512 + 0.384},
        {"BinomCDF(3,3,0.2)", [] { return BinomCDF_Double(3, 3, 0.2); }, 1},
        {"BinomCDF(-1,3,0.2)", [] { return BinomCDF_Double(-1, 3, 0.2); }, 0},
        {"PoissonPDF(0,2)", [] { return PoissonPDF_Double(0, 2); }, 1 / (e * e)},
        {"PoissonPDF(3,2)", [] { return PoissonPDF_Double(3, 2); }, 8 / 6.0 / (e * e)},
        {"PoissonPDF(-1,2)", [] { return PoissonPDF_Double(-1, 2); }, 0},
        {"PoissonPDF(1,0)", [] { return PoissonPDF_Double(1, 0); }, nan},
        {"PoissonCDF(1,2)", [] { return PoissonCDF_Double(1, 2); }, 3 / (e * e)},
        {"PoissonCDF(1.5,2)", [] { return PoissonCDF_Double(1.5, 2); }, 3 / (e * e)},
        {"PoissonCDF(0,2)", [] { return PoissonCDF_Double(0, 2); }, 1 / (e * e)},
        {"PoissonCDF(-1,2)", [] { return PoissonCDF_Double(-1, 2); }, 0},
        {"GeometricPDF(2,0.5)", [] { return GeometricPDF_Double(2, 0.5); }, 0.125},
        {"GeometricPDF(2.5,0.5)", [] { return GeometricPDF_Double(2.5, 0.5); }, 0},
        {"GeometricPDF(2,0)", [] { return GeometricPDF_Double(2, 0); }, nan},
        {"GeometricCDF(2,0.5)", [] { return GeometricCDF_Double(2, 0.5); }, 0.875},
        {"GeometricCDF(3,1)", [] { return GeometricCDF_Double(3, 1); }, 1},
        {"GeometricCDF(-1,0.5)", [] { return GeometricCDF_Double(-1, 0.5); }, nan},
        // 10 balls, 5 marked, 3 drawn: masses 10/120, 50/120, 50/120, 10/120.
        {"HypGeometricPDF(1,10,5,3)", [] { return HypGeometricPDF_Double(1, 10, 5, 3); }, 50 / 120.0},
        {"HypGeometricPDF(-1,10,5,3)", [] { return HypGeometricPDF_Double(-1, 10, 5, 3); }, 0},
        {"HypGeometricPDF(4,10,5,3)", [] { return HypGeometricPDF_Double(4, 10, 5, 3); }, nan},
        {"HypGeometricCDF(1,10,5,3)", [] { return HypGeometricCDF_Double(1, 10, 5, 3); }, 0.5},
        {"HypGeometricCDF(2,10,5,3)", [] { return HypGeometricCDF_Double(2, 10, 5, 3); }, 110 / 120.0},
        {"HypGeometricCDF(3,10,5,3)", [] { return HypGeometricCDF_Double(3, 10, 5, 3); }, 1},
        // 10 balls, 8 marked, 5 drawn: at least 3 marked ones; P(3) = C(8,3) C(2,2) / C(10,5) = 56/252.
        {"HypGeometricPDF(2,10,8,5)", [] { return HypGeometricPDF_Double(2, 10, 8, 5); }, 0},
        {"HypGeometricCDF(3,10,8,5)", [] { return HypGeometricCDF_Double(3, 10, 8, 5); }, 56 / 252.0},
        // Two successes wanted at p = 0.5: P(x failures) = (x + 1) / 2^(x + 2).
        {"NegBinomPDF(2,0.5,0)", [] { return NegBinomPDF_Double(2, 0.5, 0); }, 0.25},
        {"NegBinomPDF(2,0.5,2)", [] { return NegBinomPDF_Double(2, 0.5, 2); }, 3 / 16.0},
        {"NegBinomPDF(2,0.5,1.5)", [] { return NegBinomPDF_Double(2, 0.5, 1.5); }, 0},
        {"NegBinomPDF(0,0.5,1)", [] { return NegBinomPDF_Double(0, 0.5, 1); }, nan},
        {"NegBinomCDF(2,2,0.5)", [] { return NegBinomCDF_Double(2, 2, 0.5); }, 0.25 + 0.25 + 3 / 16.0},
        {"NegBinomCDF(-1,2,0.5)", [] { return NegBinomCDF_Double(-1, 2, 0.5); }, nan},
        {"UniformDPDF(3,6)", [] { return UniformDPDF_Double(3, 6); }, 1 / 6.0},
        {"UniformDPDF(3.5,6)", [] { return UniformDPDF_Double(3.5, 6); }, 0},
        {"UniformDPDF(7,6)", [] { return UniformDPDF_Double(7, 6); }, 0},
        {"UniformDCDF(3.5,6)", [] { return UniformDCDF_Double(3.5, 6); }, 0.5},
        {"UniformDCDF(0.5,6)", [] { return UniformDCDF_Double(0.5, 6); }, 0},
        {"UniformDCDF(9,6)", [] { return UniformDCDF_Double(9, 6); }, 1},
        {"UniformDCDF(1,0)", [] { return UniformDCDF_Double(1, 0); }, nan},
    };
    for (const auto& c : cases)
        expectNear(c, 1e-14);
}

TEST(DistributionValues, HugeCountsAnswerWithProperMasses) {
    // Poisson and binomial masses near their means keep their size when the
    // direct products would overflow: about 1/sqrt(2 pi variance).
    EXPECT_NEAR(PoissonPDF_Double(20000, 20000), 1 / std::sqrt(2 * M_PI * 20000), 1e-6);
    EXPECT_NEAR(BinomPDF_Double(1000000, 2000000, 0.5), 1 / std::sqrt(2 * M_PI * 500000), 1e-6);
    EXPECT_NEAR(HypGeometricCDF_Double(500000000, 2000000000, 1000000000, 1000000000), 0.5, 1e-3);
    EXPECT_NEAR(NegBinomCDF_Double(1e9, 1000000000, 0.5), 0.5, 1e-3);
}

} // namespace
