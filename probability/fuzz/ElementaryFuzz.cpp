// Fuzzes the elementary, utility and complex entry points with arbitrary bit
// patterns (NaNs, infinities, subnormals, huge values, any integers) under
// the recommended control word. No input may crash or show undefined
// behaviour, results keep their documented ranges, and a result record
// that aliases an operand gives the same result as a separate one.
#include "probability.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    template <typename T> T take() {
        T value{};
        const size_t n = size_ < sizeof(T) ? size_ : sizeof(T);
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }

private:
    const uint8_t* data_;
    size_t size_;
};

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool within(double x, double lo, double hi) {
    return std::isnan(x) || (x >= lo && x <= hi);
}

bool sameBits(const Cplx& a, const Cplx& b) {
    return std::memcmp(&a, &b, sizeof(Cplx)) == 0;
}

using RealFunction = double (*)(double);
constexpr RealFunction kReal[] = {
    Exp_Double,      Exp2_Double,     Exp10_Double,    Ln_Double,      Log2_Double,    Log10_Double,
    Sin_Double,      Cos_Double,      Tan_Double,      ArcSin_Double,  ArcCos_Double,  ArcTan_Double,
    Sinh_Double,     Cosh_Double,     Tanh_Double,     ArcSinh_Double, ArcCosh_Double, ArcTanh_Double,
    Sec_Double,      Csc_Double,      Cot_Double,      Sech_Double,    Csch_Double,    Coth_Double,
    ArcSec_Double,   ArcCsc_Double,   ArcCot_Double,   ArcSech_Double, ArcCsch_Double, ArcCoth_Double,
    DegToRad_Double, RadToDeg_Double, FixAngle_Double, Frac_Double,
};

using ComplexUnary = void (*)(Cplx*, const Cplx*);
constexpr ComplexUnary kComplexUnary[] = {
    Neg_Cplx,         Conj_Cplx,    Flip_Cplx,    FlipConj_Cplx, MulI_Cplx,    CInv_Cplx,   CartToPolar_Cplx,
    PolarToCart_Cplx, Ceil_Cplx,    Floor_Cplx,   CRound_Cplx,   CTrunc_Cplx,  CFrac_Cplx,  CSqr_Cplx,
    CSqrt_Cplx,       Exp_Cplx,     Exp2_Cplx,    Exp10_Cplx,    Ln_Cplx,      Log2_Cplx,   Log10_Cplx,
    Sin_Cplx,         Cos_Cplx,     Tan_Cplx,     ArcSin_Cplx,   ArcCos_Cplx,  ArcTan_Cplx, Sinh_Cplx,
    Cosh_Cplx,        Tanh_Cplx,    ArcSinh_Cplx, ArcCosh_Cplx,  ArcTanh_Cplx, Sec_Cplx,    Csc_Cplx,
    Cot_Cplx,         Sech_Cplx,    Csch_Cplx,    Coth_Cplx,     ArcSec_Cplx,  ArcCsc_Cplx, ArcCot_Cplx,
    ArcSech_Cplx,     ArcCsch_Cplx, ArcCoth_Cplx,
};

using ComplexBinary = void (*)(Cplx*, const Cplx*, const Cplx*);
constexpr ComplexBinary kComplexBinary[] = {
    CAdd_Cplx, CSub_Cplx, CMul_Cplx, CDiv_Cplx, Power_Cplx, Pythag_Cplx, LogN_Cplx, Rem_Cplx, Sign_Cplx,
};

void fuzzReal(Input& in) {
    const double x = in.take<double>();
    const double y = in.take<double>();
    const int32_t n = in.take<int32_t>();
    for (RealFunction f : kReal) {
        (void)f(x);
    }
    check(within(ArcSin_Double(x), -M_PI_2, M_PI_2));
    check(within(ArcCos_Double(x), 0, M_PI));
    check(within(ArcTan2_Double(y, x), -M_PI, M_PI));
    check(within(Tanh_Double(x), -1, 1));
    check(within(Sin_Double(x), -1, 1));
    check(within(Cos_Double(x), -1, 1));
    check(within(FixAngle_Double(x), -M_PI, M_PI));
    // The remainder to nearest is at most half the divisor.
    check(!std::isfinite(y) || y == 0 || within(std::fabs(Rem_Double(x, y)), 0, std::fabs(y) / 2));
    (void)LogN_Double(x, y);
    (void)IntPower_Double(x, n);
    (void)Power_Double(x, y);
    check(within(Pythag_Double(x, y), 0, INFINITY));
    (void)Rem_Double(x, y);
    (void)Trunc_Double(x);
    (void)Ceil_Double(x);
    (void)Floor_Double(x);
    (void)Sgn_Double(x);
    double s = 0, c = 0;
    SinCos_Double(x, &s, &c);
    SinhCosh_Double(x, &s, &c);
    double limited = x;
    Limit_Double(-1, &limited, 1);
    check(limited >= -1 && limited <= 1);
}

void fuzzIntegers(Input& in) {
    const int32_t a = in.take<int32_t>();
    const int32_t b = in.take<int32_t>();
    (void)Gcd_integer(a, b);
    (void)Lcm_integer(a, b);
    const int32_t power = LargestExp2_Integer(a);
    check(power == INT32_MIN || (power >= 2 && (power & (power - 1)) == 0));
    check(LargestLog2_Integer(a) >= 0 && LargestLog2_Integer(a) <= 30);
    int32_t x = a;
    Limit_Integer(-5, &x, 5);
    check(x >= -5 && x <= 5);
}

void fuzzComplex(Input& in) {
    const Cplx a = in.take<Cplx>();
    const Cplx b = in.take<Cplx>();
    const int32_t k = in.take<int32_t>();
    const int32_t n = in.take<int32_t>();
    for (ComplexUnary f : kComplexUnary) {
        Cplx separate;
        f(&separate, &a);
        Cplx aliased = a;
        f(&aliased, &aliased);
        check(sameBits(separate, aliased));
    }
    for (ComplexBinary f : kComplexBinary) {
        Cplx separate;
        f(&separate, &a, &b);
        Cplx aliased = a;
        f(&aliased, &aliased, &b);
        check(sameBits(separate, aliased));
    }
    Cplx r;
    Root_Cplx(&r, &a, k, n);
    IntPower_Cplx(&r, &a, n);
    Power_CplxDouble(&r, &a, b.Re);
    Power_DoubleCplx(&r, b.Re, &a);
    LogN_CplxDouble(&r, &a, b.Im);
    LogN_DoubleCplx(&r, b.Im, &a);
    (void)Max_Cplx(&r, &a, &b);
    (void)Min_Cplx(&r, &a, &b);
    check(Bigger_Cplx(&a, &b) ? !Smaller_Cplx(&a, &b) : true);
    (void)Sgn_Cplx(&a);
    (void)Arg_Cplx(&a);
    (void)CAbs_Cplx(&a);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    // Masked exceptions: domain errors must come back as NaNs and infinities.
    Set8087CW_Word(ProMathCW_Word());
    Input in(data + 1, size - 1);
    switch (data[0] % 3) {
    case 0:
        fuzzReal(in);
        break;
    case 1:
        fuzzIntegers(in);
        break;
    default:
        fuzzComplex(in);
        break;
    }
    return 0;
}
