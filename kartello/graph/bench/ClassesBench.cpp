// Class breaks of a full place set (5000 values, the store's limit) by each
// method at the largest class count the window offers (9).
#include "graph/Classes.h"

#include <benchmark/benchmark.h>
#include <random>

using namespace kartello;

namespace {

std::vector<double> values(int n) {
    std::mt19937 rng(7);
    std::lognormal_distribution<double> d(3, 1);
    std::vector<double> v(n);
    for (double& x : v)
        x = d(rng);
    return v;
}

void BM_Breaks(benchmark::State& state) {
    const std::vector<double> v = values(int(state.range(1)));
    const auto method = ClassMethod(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(classBreaks(method, v, 9));
}

BENCHMARK(BM_Breaks)
    ->ArgNames({"method", "n"})
    ->Args({int(ClassMethod::EqualIntervals), 5000})
    ->Args({int(ClassMethod::Quantiles), 5000})
    ->Args({int(ClassMethod::NaturalBreaks), 1000})
    ->Args({int(ClassMethod::NaturalBreaks), 5000})
    ->Unit(benchmark::kMillisecond);

} // namespace
