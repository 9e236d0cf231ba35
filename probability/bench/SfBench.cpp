// Special functions, distributions and number reading of the library beside
// the C and C++ library functions of the same meaning where one exists
// (tgamma, lgamma, erf, std::strtod), over the same inputs.
#include "probability.h"

#include <benchmark/benchmark.h>

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
BENCHMARK(BM_LnGamma_Double);
BENCHMARK(BM_lgamma);
BENCHMARK(BM_Erf_Double);
BENCHMARK(BM_erf);
BENCHMARK(BM_NormalCDF_Double);
BENCHMARK(BM_NormalCDFInv_Double);
BENCHMARK(BM_BetaCDF_Double);
BENCHMARK(BM_GammaCDFInv_Double);
BENCHMARK(BM_StrToVal_PChar);
BENCHMARK(BM_strtod);
