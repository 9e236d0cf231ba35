// Accuracy of the real elementary functions against __float128 references
// (libquadmath), in units in the last place of the double result.
#include "probability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

extern "C" {
#include <quadmath.h>
}

namespace {

using Quad = __float128;

// The size of one unit in the last place of a double near the reference.
Quad ulpAt(Quad reference) {
    const Quad magnitude = fabsq(reference);
    if (magnitude < 0x1p-1022Q) {
        return 0x1p-1074Q; // subnormal results: a fixed step
    }
    return scalbnq(1.0Q, ilogbq(magnitude) - 52);
}

double ulpError(double got, Quad reference) {
    if (std::isnan(got) || std::isinf(got)) {
        return std::isinf(got) && isinfq(reference) && (got > 0) == (reference > 0) ? 0.0 : INFINITY;
    }
    // The quotient is taken in quad precision: half a subnormal step is
    // not a double.
    return static_cast<double>(fabsq(static_cast<Quad>(got) - reference) / ulpAt(reference));
}

// Samples: log-uniform magnitudes in [lo, hi] with both signs when asked,
// plus uniform points, plus the given extra points.
std::vector<double> samples(double lo, double hi, bool bothSigns, std::vector<double> extra = {}) {
    std::mt19937_64 rng(20261207);
    std::vector<double> xs = std::move(extra);
    std::uniform_real_distribution<double> logMagnitude(std::log(lo), std::log(hi));
    std::uniform_real_distribution<double> uniform(lo, hi);
    for (int i = 0; i < 20000; ++i) {
        double x = i % 2 == 0 ? std::exp(logMagnitude(rng)) : uniform(rng);
        if (bothSigns && (rng() & 1)) {
            x = -x;
        }
        xs.push_back(x);
    }
    return xs;
}

// Points just beside x: the neighbours that stress cancellation.
std::vector<double> around(std::initializer_list<double> centres, int steps = 64) {
    std::vector<double> xs;
    for (double c : centres) {
        double up = c;
        double down = c;
        for (int i = 0; i < steps; ++i) {
            xs.push_back(up);
            xs.push_back(down);
            up = std::nextafter(up, INFINITY);
            down = std::nextafter(down, -INFINITY);
        }
    }
    return xs;
}

std::vector<double> concat(std::vector<double> a, const std::vector<double>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<double> insideUnit(std::vector<double> xs) {
    std::erase_if(xs, [](double x) { return std::fabs(x) > 1.0; });
    return xs;
}

// Doubles nearest to multiples of pi/2: where a short pi ruins the reduction.
std::vector<double> nearQuarterTurns(double limit) {
    std::vector<double> xs;
    for (double k = 1; k * M_PI_2 < limit; k = k < 64 ? k + 1 : std::floor(k * 1.37)) {
        const double centre = static_cast<double>(k * M_PI_2q);
        for (double x : around({centre, -centre}, 3)) {
            xs.push_back(x);
        }
    }
    return xs;
}

struct UnaryCase {
    std::string name;
    std::function<double(double)> function;
    std::function<Quad(Quad)> reference;
    std::vector<double> points;
};

class UnaryAccuracy : public ::testing::TestWithParam<UnaryCase> {};

TEST_P(UnaryAccuracy, StaysWithinOneUlpOfTheQuadReference) {
    const UnaryCase& c = GetParam();
    double worst = 0;
    double worstX = 0;
    for (double x : c.points) {
        const double e = ulpError(c.function(x), c.reference(x));
        if (!(e <= worst)) {
            worst = e;
            worstX = x;
        }
    }
    RecordProperty("max_ulp", std::to_string(worst));
    std::printf("%-14s max error %.3f ulp at %.17g\n", c.name.c_str(), worst, worstX);
    EXPECT_LE(worst, 1.0) << c.name << " at x = " << worstX;
}

std::vector<UnaryCase> unaryCases() {
    const double pi = M_PI;
    return {
        {"Exp", Exp_Double, [](Quad x) { return expq(x); },
         concat(samples(1e-20, 709.7, true, {0.0, 1.0, -1.0, 709.78, -708.0, -744.0}),
                around({0.5, -0.5, 1e-10}))},
        {"Ln", Ln_Double, [](Quad x) { return logq(x); },
         concat(samples(1e-300, 1e300, false),
                around({1.0, 0.5, 2.0, 0.70710678118654757, 1.4142135623730951}))},
        {"Log2", Log2_Double, [](Quad x) { return log2q(x); },
         concat(samples(1e-300, 1e300, false), around({1.0, 0.70710678118654757, 1.4142135623730951}))},
        {"Log10", Log10_Double, [](Quad x) { return log10q(x); },
         concat(samples(1e-300, 1e300, false), around({1.0, 10.0, 0.1, 1.4142135623730951}))},
        {"ArcSin", ArcSin_Double, [](Quad x) { return asinq(x); },
         concat(samples(1e-300, 1.0, true, {0.0, 1.0, -1.0, 0.5}),
                insideUnit(around({1.0, -1.0, 0.5, -0.5}, 512)))},
        {"ArcCos", ArcCos_Double, [](Quad x) { return acosq(x); },
         concat(samples(1e-300, 1.0, true, {0.0, 1.0, -1.0}),
                insideUnit(around({1.0, -1.0, 0.5, -0.5}, 512)))},
        {"ArcTan", ArcTan_Double, [](Quad x) { return atanq(x); },
         samples(1e-300, 1e300, true, {0.0, 1.0, -1.0})},
        {"Sin", Sin_Double, [](Quad x) { return sinq(x); },
         concat(samples(1e-300, 1e6, true, {pi, 2 * pi, 1e6 - 1}), nearQuarterTurns(1e6))},
        {"Cos", Cos_Double, [](Quad x) { return cosq(x); },
         concat(samples(1e-300, 1e6, true, {pi, pi / 2}), nearQuarterTurns(1e6))},
        {"Tan", Tan_Double, [](Quad x) { return tanq(x); },
         concat(samples(1e-300, 1e6, true, {pi / 4, pi}), nearQuarterTurns(1e6))},
        {"Sinh", Sinh_Double, [](Quad x) { return sinhq(x); },
         concat(samples(1e-300, 710.4, true), around({1.0, -1.0, 1e-5}))},
        {"Cosh", Cosh_Double, [](Quad x) { return coshq(x); }, samples(1e-300, 710.4, true)},
        {"Tanh", Tanh_Double, [](Quad x) { return tanhq(x); },
         concat(samples(1e-300, 40.0, true), around({1.0, -1.0, 23.0}))},
    };
}

INSTANTIATE_TEST_SUITE_P(RealElementary, UnaryAccuracy, ::testing::ValuesIn(unaryCases()),
                         [](const auto& info) { return info.param.name; });

TEST(BinaryAccuracy, ArcTan2StaysWithinOneUlpInEveryQuadrant) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> logMagnitude(std::log(1e-200), std::log(1e200));
    double worst = 0;
    for (int i = 0; i < 40000; ++i) {
        double y = std::exp(logMagnitude(rng));
        double x = i % 3 == 0 ? y * std::exp(logMagnitude(rng) / 100) : std::exp(logMagnitude(rng));
        if (rng() & 1) {
            y = -y;
        }
        if (rng() & 1) {
            x = -x;
        }
        worst = std::max(worst, ulpError(ArcTan2_Double(y, x), atan2q(y, x)));
    }
    std::printf("%-14s max error %.3f ulp\n", "ArcTan2", worst);
    EXPECT_LE(worst, 1.0);
}

} // namespace
