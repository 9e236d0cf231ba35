// Elementary functions of the library against glibc's long-double functions
// (the same 80-bit arithmetic; and libgcc's complex multiply and divide), plus the bare x87 instruction
// sequences that the library's definitions prescribe, to show what the library adds on top.
#include "probability.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <complex>
#include <random>
#include <string>

namespace {

constexpr size_t kInputs = 1024; // a power of two: the index wraps with a mask

template <typename Distribution> std::array<double, kInputs> inputs(Distribution distribution) {
    std::mt19937_64 rng(42);
    std::array<double, kInputs> xs{};
    for (double& x : xs) {
        x = distribution(rng);
    }
    return xs;
}

const auto unitInputs = inputs(std::uniform_real_distribution<double>(-1.0, 1.0));
const auto expInputs = inputs(std::uniform_real_distribution<double>(-700.0, 700.0));
const auto positiveInputs = inputs(std::uniform_real_distribution<double>(1e-3, 1e6));
const auto planeInputs = inputs(std::uniform_real_distribution<double>(-100.0, 100.0));

template <typename F> void runUnary(benchmark::State& state, const std::array<double, kInputs>& xs, F f) {
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(xs[i++ & (kInputs - 1)]));
    }
}

template <typename F> void runBinary(benchmark::State& state, F f) {
    size_t i = 0;
    for (auto _ : state) {
        const double y = planeInputs[i & (kInputs - 1)];
        const double x = planeInputs[(i + 1) & (kInputs - 1)];
        ++i;
        benchmark::DoNotOptimize(f(y, x));
    }
}

// The bare instructions: fsqrt of 1 - x^2 and fpatan; f2xm1 and fscale.
double bareX87ArcSin(double x) {
    long double v = x;
    long double s = 1.0L - v * v;
    long double r;
    asm("fsqrt" : "+t"(s));
    asm("fpatan" : "=t"(r) : "0"(s), "u"(v) : "st(1)");
    return static_cast<double>(r);
}

double bareX87Exp(double x) {
    long double u = x * 1.44269504088896340736L;
    long double n = u;
    asm("frndint" : "+t"(n));
    long double f = u - n;
    asm("f2xm1" : "+t"(f));
    long double m = f + 1.0L;
    asm("fscale" : "+t"(m) : "u"(n));
    return static_cast<double>(m);
}

void ArcSin(benchmark::State& s) {
    runUnary(s, unitInputs, ArcSin_Double);
}
void LibmAsin(benchmark::State& s) {
    runUnary(s, unitInputs, [](double x) { return static_cast<double>(asinl(x)); });
}
void BareX87ArcSin(benchmark::State& s) {
    runUnary(s, unitInputs, bareX87ArcSin);
}
void ArcTan2(benchmark::State& s) {
    runBinary(s, ArcTan2_Double);
}
void LibmAtan2(benchmark::State& s) {
    runBinary(s, [](double y, double x) { return static_cast<double>(atan2l(y, x)); });
}
void Exp(benchmark::State& s) {
    runUnary(s, expInputs, Exp_Double);
}
void LibmExp(benchmark::State& s) {
    runUnary(s, expInputs, [](double x) { return static_cast<double>(expl(x)); });
}
void BareX87Exp(benchmark::State& s) {
    runUnary(s, expInputs, bareX87Exp);
}
void Ln(benchmark::State& s) {
    runUnary(s, positiveInputs, Ln_Double);
}
void LibmLog(benchmark::State& s) {
    runUnary(s, positiveInputs, [](double x) { return static_cast<double>(logl(x)); });
}

void CMul(benchmark::State& s) {
    runBinary(s, [](double y, double x) {
        const Cplx a{y, x}, b{x, y};
        Cplx r;
        CMul_Cplx(&r, &a, &b);
        return r.Re + r.Im;
    });
}

void LibgccComplexMultiply(benchmark::State& s) {
    runBinary(s, [](double y, double x) {
        const std::complex<double> r = std::complex<double>(y, x) * std::complex<double>(x, y);
        return r.real() + r.imag();
    });
}

void CDiv(benchmark::State& s) {
    runBinary(s, [](double y, double x) {
        const Cplx a{y, x}, b{x, -y};
        Cplx r;
        CDiv_Cplx(&r, &a, &b);
        return r.Re + r.Im;
    });
}

void LibgccComplexDivide(benchmark::State& s) {
    runBinary(s, [](double y, double x) {
        const std::complex<double> r = std::complex<double>(y, x) / std::complex<double>(x, -y);
        return r.real() + r.imag();
    });
}

// Every other real elementary function beside glibc's long-double
// counterpart, over a range where both are defined: "Name" and "Name/libm"
// side by side.
struct Pair {
    const char* name;
    double (*library)(double);
    double (*libm)(double);
    double lo, hi;
};

const Pair kPairs[] = {
    {"Exp2", Exp2_Double, [](double x) { return static_cast<double>(exp2l(x)); }, -1000, 1000},
    {"Exp10", Exp10_Double, [](double x) { return static_cast<double>(powl(10.0L, x)); }, -300, 300},
    {"Log2", Log2_Double, [](double x) { return static_cast<double>(log2l(x)); }, 1e-3, 1e6},
    {"Log10", Log10_Double, [](double x) { return static_cast<double>(log10l(x)); }, 1e-3, 1e6},
    {"Sin", Sin_Double, [](double x) { return static_cast<double>(sinl(x)); }, -1e3, 1e3},
    {"Cos", Cos_Double, [](double x) { return static_cast<double>(cosl(x)); }, -1e3, 1e3},
    {"Tan", Tan_Double, [](double x) { return static_cast<double>(tanl(x)); }, -1e3, 1e3},
    {"ArcCos", ArcCos_Double, [](double x) { return static_cast<double>(acosl(x)); }, -1, 1},
    {"ArcTan", ArcTan_Double, [](double x) { return static_cast<double>(atanl(x)); }, -1e3, 1e3},
    {"Sinh", Sinh_Double, [](double x) { return static_cast<double>(sinhl(x)); }, -700, 700},
    {"Cosh", Cosh_Double, [](double x) { return static_cast<double>(coshl(x)); }, -700, 700},
    {"Tanh", Tanh_Double, [](double x) { return static_cast<double>(tanhl(x)); }, -20, 20},
    {"ArcSinh", ArcSinh_Double, [](double x) { return static_cast<double>(asinhl(x)); }, -1e3, 1e3},
    {"ArcCosh", ArcCosh_Double, [](double x) { return static_cast<double>(acoshl(x)); }, 1, 1e3},
    {"ArcTanh", ArcTanh_Double, [](double x) { return static_cast<double>(atanhl(x)); }, -0.99, 0.99},
    {"SinLarge", Sin_Double, [](double x) { return static_cast<double>(sinl(x)); }, 1e10, 1e300},
    {"Sec", Sec_Double, [](double x) { return static_cast<double>(1 / cosl(x)); }, -1e3, 1e3},
    {"FixAngle", FixAngle_Double,
     [](double x) { return static_cast<double>(remainderl(x, 2 * 3.14159265358979323846264L)); }, -1e3, 1e3},
};

const bool kPairsRegistered = [] {
    for (const Pair& pair : kPairs) {
        // The inputs live as long as the program, like the benchmarks.
        const auto* xs =
            new std::array<double, kInputs>(inputs(std::uniform_real_distribution<double>(pair.lo, pair.hi)));
        benchmark::RegisterBenchmark(pair.name,
                                     [xs, f = pair.library](benchmark::State& s) { runUnary(s, *xs, f); });
        const std::string libmName = std::string(pair.name) + "/libm";
        benchmark::RegisterBenchmark(libmName.c_str(),
                                     [xs, f = pair.libm](benchmark::State& s) { runUnary(s, *xs, f); });
    }
    return true;
}();

BENCHMARK(ArcSin);
BENCHMARK(LibmAsin);
BENCHMARK(BareX87ArcSin);
BENCHMARK(ArcTan2);
BENCHMARK(LibmAtan2);
BENCHMARK(Exp);
BENCHMARK(LibmExp);
BENCHMARK(BareX87Exp);
BENCHMARK(Ln);
BENCHMARK(LibmLog);
BENCHMARK(CMul);
BENCHMARK(LibgccComplexMultiply);
BENCHMARK(CDiv);
BENCHMARK(LibgccComplexDivide);

} // namespace
