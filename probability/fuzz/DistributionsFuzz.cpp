// Every distribution and special function called with arguments drawn from
// the input: raw doubles, or NaN, infinities, zeros, negatives, the extremes
// of the double and integer ranges. A call may return anything or raise the
// library's exception; it must neither crash nor hang (the fuzz driver's
// time limit catches a hang).
#include "probability.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace {

class Arguments {
public:
    Arguments(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    double real() {
        static const double special[] = {std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity(),
                                         -std::numeric_limits<double>::infinity(),
                                         0.0,
                                         -0.0,
                                         1.0,
                                         -1.0,
                                         0.5,
                                         2.0,
                                         1e308,
                                         -1e308,
                                         1e-308,
                                         5e-324,
                                         2147483647.0,
                                         -2147483648.0,
                                         1e15,
                                         0.999999999999,
                                         1e-300,
                                         3.0,
                                         1e6,
                                         1.797693134862315e308};
        const uint8_t b = byte();
        if (b < 200)
            return special[b % std::size(special)];
        double v = 0;
        for (int i = 0; i < 8; ++i)
            reinterpret_cast<uint8_t*>(&v)[i] = byte();
        return v;
    }

    int32_t integer() {
        static const int32_t special[] = {0,
                                          1,
                                          -1,
                                          2,
                                          3,
                                          10,
                                          100,
                                          100000,
                                          std::numeric_limits<int32_t>::max(),
                                          std::numeric_limits<int32_t>::min()};
        const uint8_t b = byte();
        if (b < 200)
            return special[b % std::size(special)];
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = v << 8 | byte();
        return static_cast<int32_t>(v);
    }

    Cplx complex() { return {real(), real()}; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

using Call = std::function<void(Arguments&)>;

template <typename F> Call real3(F f) {
    return [f](Arguments& a) {
        const double x = a.real(), y = a.real(), z = a.real();
        f(x, y, z);
    };
}
template <typename F> Call real2(F f) {
    return [f](Arguments& a) {
        const double x = a.real(), y = a.real();
        f(x, y);
    };
}
template <typename F> Call realInt(F f) {
    return [f](Arguments& a) {
        const double x = a.real();
        f(x, a.integer());
    };
}
template <typename F> Call realIntReal(F f) {
    return [f](Arguments& a) {
        const double x = a.real();
        const int32_t n = a.integer();
        f(x, n, a.real());
    };
}
template <typename F> Call realIntInt(F f) {
    return [f](Arguments& a) {
        const double x = a.real();
        const int32_t n = a.integer();
        f(x, n, a.integer());
    };
}
template <typename F> Call realIntIntInt(F f) {
    return [f](Arguments& a) {
        const double x = a.real();
        const int32_t n = a.integer(), k = a.integer();
        f(x, n, k, a.integer());
    };
}
template <typename F> Call complex1(F f) {
    return [f](Arguments& a) {
        const Cplx z = a.complex();
        Cplx r{};
        f(&r, &z);
    };
}
template <typename F> Call realComplex(F f) {
    return [f](Arguments& a) {
        const double x = a.real();
        const Cplx z = a.complex();
        Cplx r{};
        f(&r, x, &z);
    };
}

const std::vector<Call>& calls() {
    static const std::vector<Call> all = {
        real3(BetaPDF_Double), real3(BetaCDF_Double), real3(BetaCDFInv_Double), realIntReal(BinomPDF_Double),
        realIntReal(BinomCDF_Double), realIntReal(BinomCDFInv_Double), real2(BoseEinsteinPDF_Double),
        real3(CauchyPDF_Double), real3(CauchyCDF_Double), real3(CauchyCDFInv_Double),
        real2(ChiSquarePDF_Double), realInt(ChiSquareCDF_Double), realInt(ChiSquareDDFInv_Double),
        real2(ExpPDF_Double), real2(ExpCDF_Double), real2(ExpCDFInv_Double), realIntInt(FPDF_Double),
        realIntInt(FCDF_Double), realIntInt(FCDFInv_Double), real3(FermiDiracPDF_Double),
        real3(GammaPDF_Double), real3(GammaCDF_Double), real3(GammaCDFInv_Double), real2(GeometricPDF_Double),
        real2(GeometricCDF_Double), real2(GeometricCDFInv_Double), realIntIntInt(HypGeometricPDF_Double),
        realIntIntInt(HypGeometricCDF_Double), realIntIntInt(HypGeometricCDFInv_Double),
        real2(MaxwellPDF_Double), real2(MaxwellCDF_Double), real2(MaxwellCDFInv_Double),
        [](Arguments& a) {
            const int32_t n = a.integer();
            const double p = a.real();
            NegBinomPDF_Double(n, p, a.real());
        },
        realIntReal(NegBinomCDF_Double), realIntReal(NegBinomCDFInv_Double), real3(NormalPDF_Double),
        real3(NormalCDF_Double), real3(NormalCDFInv_Double), real3(ParetoPDF_Double), real3(ParetoCDF_Double),
        real3(ParetoCDFInv_Double),
        [](Arguments& a) {
            const int32_t n = a.integer();
            PoissonPDF_Double(n, a.real());
        },
        real2(PoissonCDF_Double), real2(PoissonCDFInv_Double), real2(RayleighPDF_Double),
        real2(RayleighCDF_Double), real2(RayleighCDFInv_Double), realInt(StudentPDF_Double),
        realInt(StudentCDF_Double), realInt(StudentCDFInv_Double), real3(UniformPDF_Double),
        real3(UniformCDF_Double), real3(UniformCDFInv_Double), realInt(UniformDPDF_Double),
        realInt(UniformDCDF_Double), realInt(UniformDCDFInv_Double), real3(WeibullPDF_Double),
        real3(WeibullCDF_Double), real3(WeibullCDFInv_Double),
        // special functions
        [](Arguments& a) { SgnGamma(a.real()); }, [](Arguments& a) { Gamma_Double(a.real()); },
        [](Arguments& a) { LnGamma_Double(a.real()); }, [](Arguments& a) { Fact_Integer(a.integer()); },
        [](Arguments& a) {
            const int32_t n = a.integer();
            Binomial_Integer(n, a.integer());
        },
        real2(Beta_Double), real3(BetaIncomplete_Double), real2(GammaSer_Double), real2(GammaFrac_Double),
        real2(IGamma_Double), real2(JGamma_Double), [](Arguments& a) { Erf_Double(a.real()); },
        [](Arguments& a) { Erfc_Double(a.real()); }, [](Arguments& a) { ErfInv_Double(a.real()); },
        complex1(Gamma_Cplx), complex1(LnGamma_Cplx), complex1(BesselIO), complex1(BesselJO),
        realComplex(GammaSer_Cplx), realComplex(GammaFrac_Cplx), realComplex(IGamma_Cplx),
        realComplex(JGamma_Cplx)};
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Arguments args(data, size);
    // Several calls per input, each choosing its function by one byte.
    for (int i = 0; i < 8 && i * 4 < static_cast<int>(size); ++i) {
        const auto& all = calls();
        try {
            all[args.byte() % all.size()](args);
        } catch (const ProbabilityError&) {
        }
    }
    return 0;
}
