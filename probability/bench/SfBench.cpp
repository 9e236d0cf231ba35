// Special functions, distributions and number reading of the library beside
// the C and C++ library functions of the same meaning where one exists
// (tgamma, lgamma, erf, std::strtod) and beside Boost.Math's long-double
// versions, over the same inputs in the same run.
#include "probability.h"

#include <benchmark/benchmark.h>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/special_functions/erf.hpp>
#include <boost/math/special_functions/gamma.hpp>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

namespace {

constexpr size_t kCount = 1024; // a power of two: the index wraps with a mask

template <typename Distribution> std::array<double, kCount> draw(Distribution distribution, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::array<double, kCount> xs{};
    for (double& x : xs)
        x = distribution(rng);
    return xs;
}

const auto gammaArgs = draw(std::uniform_real_distribution<double>(0.01, 170.0), 1);
const auto erfArgs = draw(std::uniform_real_distribution<double>(-5.0, 5.0), 2);
const auto probabilities = draw(std::uniform_real_distribution<double>(1e-6, 1 - 1e-6), 3);
const auto unitArgs = draw(std::uniform_real_distribution<double>(0.0, 1.0), 4);

const std::array<std::string, kCount> numberTexts = [] {
    std::array<std::string, kCount> texts;
    const auto values = draw(std::uniform_real_distribution<double>(-1e6, 1e6), 5);
    char buffer[64];
    for (size_t i = 0; i < kCount; ++i) {
        std::snprintf(buffer, sizeof buffer, "%.15g", values[i]);
        texts[i] = buffer;
    }
    return texts;
}();

template <typename F> void unary(benchmark::State& state, const std::array<double, kCount>& xs, F f) {
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(f(xs[i++ & (kCount - 1)]));
}

void BM_Gamma_Double(benchmark::State& s) {
    unary(s, gammaArgs, Gamma_Double);
}
void BM_tgamma(benchmark::State& s) {
    unary(s, gammaArgs, [](double x) { return std::tgamma(x); });
}
void BM_LnGamma_Double(benchmark::State& s) {
    unary(s, gammaArgs, LnGamma_Double);
}
void BM_lgamma(benchmark::State& s) {
    unary(s, gammaArgs, [](double x) { return std::lgamma(x); });
}
void BM_Erf_Double(benchmark::State& s) {
    unary(s, erfArgs, Erf_Double);
}
void BM_erf(benchmark::State& s) {
    unary(s, erfArgs, [](double x) { return std::erf(x); });
}
void BM_NormalCDF_Double(benchmark::State& s) {
    unary(s, erfArgs, [](double x) { return NormalCDF_Double(x, 0, 1); });
}
void BM_NormalCDFInv_Double(benchmark::State& s) {
    unary(s, probabilities, [](double p) { return NormalCDFInv_Double(p, 0, 1); });
}
void BM_BetaCDF_Double(benchmark::State& s) {
    unary(s, unitArgs, [](double x) { return BetaCDF_Double(x, 2.5, 4.5); });
}
void BM_GammaCDFInv_Double(benchmark::State& s) {
    unary(s, probabilities, [](double p) { return GammaCDFInv_Double(p, 3.5, 2.0); });
}

// Boost.Math in long double, with its default policy (errors raise).
using BoostNormal = boost::math::normal_distribution<long double>;
const auto symmetricProbabilities = draw(std::uniform_real_distribution<double>(-1 + 1e-6, 1 - 1e-6), 6);

void BM_Boost_tgamma(benchmark::State& s) {
    unary(s, gammaArgs, [](double x) { return boost::math::tgamma(static_cast<long double>(x)); });
}
void BM_Boost_lgamma(benchmark::State& s) {
    unary(s, gammaArgs, [](double x) { return boost::math::lgamma(static_cast<long double>(x)); });
}
void BM_Boost_erf(benchmark::State& s) {
    unary(s, erfArgs, [](double x) { return boost::math::erf(static_cast<long double>(x)); });
}
void BM_Erfc_Double(benchmark::State& s) {
    unary(s, erfArgs, Erfc_Double);
}
void BM_Boost_erfc(benchmark::State& s) {
    unary(s, erfArgs, [](double x) { return boost::math::erfc(static_cast<long double>(x)); });
}
void BM_ErfInv_Double(benchmark::State& s) {
    unary(s, symmetricProbabilities, ErfInv_Double);
}
void BM_Boost_erf_inv(benchmark::State& s) {
    unary(s, symmetricProbabilities,
          [](double y) { return boost::math::erf_inv(static_cast<long double>(y)); });
}
void BM_Boost_normal_cdf(benchmark::State& s) {
    unary(s, erfArgs,
          [](double x) { return boost::math::cdf(BoostNormal(0, 1), static_cast<long double>(x)); });
}
void BM_Boost_normal_quantile(benchmark::State& s) {
    unary(s, probabilities,
          [](double p) { return boost::math::quantile(BoostNormal(0, 1), static_cast<long double>(p)); });
}
void BM_StudentCDF_Double(benchmark::State& s) {
    unary(s, erfArgs, [](double x) { return StudentCDF_Double(x, 7); });
}
void BM_Boost_students_t_cdf(benchmark::State& s) {
    unary(s, erfArgs, [](double x) {
        return boost::math::cdf(boost::math::students_t_distribution<long double>(7),
                                static_cast<long double>(x));
    });
}
void BM_StudentCDFInv_Double(benchmark::State& s) {
    unary(s, probabilities, [](double p) { return StudentCDFInv_Double(p, 7); });
}
void BM_Boost_students_t_quantile(benchmark::State& s) {
    unary(s, probabilities, [](double p) {
        return boost::math::quantile(boost::math::students_t_distribution<long double>(7),
                                     static_cast<long double>(p));
    });
}

void BM_StrToVal_PChar(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(StrToVal_PChar(numberTexts[i++ & (kCount - 1)].c_str()));
}
void BM_strtod(benchmark::State& state) {
    size_t i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(std::strtod(numberTexts[i++ & (kCount - 1)].c_str(), nullptr));
}

} // namespace

BENCHMARK(BM_Gamma_Double);
BENCHMARK(BM_tgamma);
BENCHMARK(BM_Boost_tgamma);
BENCHMARK(BM_LnGamma_Double);
BENCHMARK(BM_lgamma);
BENCHMARK(BM_Boost_lgamma);
BENCHMARK(BM_Erf_Double);
BENCHMARK(BM_erf);
BENCHMARK(BM_Boost_erf);
BENCHMARK(BM_Erfc_Double);
BENCHMARK(BM_Boost_erfc);
BENCHMARK(BM_ErfInv_Double);
BENCHMARK(BM_Boost_erf_inv);
BENCHMARK(BM_NormalCDF_Double);
BENCHMARK(BM_Boost_normal_cdf);
BENCHMARK(BM_NormalCDFInv_Double);
BENCHMARK(BM_Boost_normal_quantile);
BENCHMARK(BM_StudentCDF_Double);
BENCHMARK(BM_Boost_students_t_cdf);
BENCHMARK(BM_StudentCDFInv_Double);
BENCHMARK(BM_Boost_students_t_quantile);
BENCHMARK(BM_BetaCDF_Double);
BENCHMARK(BM_GammaCDFInv_Double);
BENCHMARK(BM_StrToVal_PChar);
BENCHMARK(BM_strtod);
