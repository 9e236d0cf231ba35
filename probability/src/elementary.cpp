// Real elementary functions: exponentials, logarithms, powers, circular and
// hyperbolic functions and their inverses, all in extended precision and
// rounded to double on return.
#include "elementary_kernels.h"
#include "frame.h"

#include <utility>

using namespace prob;

namespace {

double toDouble(Ext x) {
    return static_cast<double>(x);
}

// sqrt(x^2 - 1) as sqrt((|x| - 1)(|x| + 1)): exact factors near |x| = 1,
// where 1 - 1/x^2 would lose the digits that carry the whole angle. The arc
// secant and cosecant take the angle of (1/x, sqrt(1 - 1/x^2)) scaled by |x|,
// which leaves it unchanged. |x| < 1 makes the root an invalid operation.
Ext cofactor(Ext x) {
    const Ext a = std::fabs(x);
    return prob::sqrt((a - 1.0L) * (a + 1.0L));
}

Ext signOf(Ext x) {
    return std::signbit(x) ? -1.0L : 1.0L;
}

} // namespace

extern "C" {

PROBABILITY_API double Exp_Double(double X) {
    return toDouble(prob::exp(X));
}
PROBABILITY_API double Exp2_Double(double X) {
    return toDouble(prob::exp2(X));
}
PROBABILITY_API double Exp10_Double(double X) {
    return toDouble(prob::exp10(X));
}
PROBABILITY_API double Ln_Double(double X) {
    return toDouble(prob::ln(X));
}
PROBABILITY_API double Log2_Double(double X) {
    return toDouble(prob::log2(X));
}
PROBABILITY_API double Log10_Double(double X) {
    return toDouble(prob::log10(X));
}

PROBABILITY_API double LogN_Double(double Base, double X) {
    return toDouble(prob::ln(X) / prob::ln(Base));
}

PROBABILITY_API double IntPower_Double(double X, int32_t N) {
    return toDouble(intPower(X, N));
}

PROBABILITY_API double Power_Double(double Base, double E) {
    if (Base == 0.0 && E > 0.0) {
        return 0.0; // ln 0 would raise a division by zero on the way
    }
    // e^(E ln Base) taken as 2^(E log2 Base): the same power with one
    // rounded product fewer.
    return toDouble(prob::exp2(E * prob::log2(Base)));
}

PROBABILITY_API double Pythag_Double(double A, double B) {
    Ext large = std::fabs(static_cast<Ext>(A));
    Ext small = std::fabs(static_cast<Ext>(B));
    if (large < small) {
        std::swap(large, small);
    }
    if (small == 0.0L || std::isinf(large)) {
        return toDouble(large);
    }
    const Ext q = small / large;
    return toDouble(large * prob::sqrt(1.0L + q * q));
}

PROBABILITY_API double Sin_Double(double X) {
    return toDouble(prob::sin(X));
}
PROBABILITY_API double Cos_Double(double X) {
    return toDouble(prob::cos(X));
}
PROBABILITY_API double Tan_Double(double X) {
    return toDouble(prob::tan(X));
}

PROBABILITY_API void SinCos_Double(double X, double* SinX, double* CosX) {
    const double s = toDouble(prob::sin(X));
    const double c = toDouble(prob::cos(X));
    *SinX = s;
    *CosX = c;
}

PROBABILITY_API double ArcSin_Double(double X) {
    return toDouble(prob::asin(X));
}
PROBABILITY_API double ArcCos_Double(double X) {
    return toDouble(prob::acos(X));
}
PROBABILITY_API double ArcTan_Double(double X) {
    return toDouble(prob::atan2(X, 1.0L));
}
PROBABILITY_API double ArcTan2_Double(double Y, double X) {
    return toDouble(prob::atan2(Y, X));
}

PROBABILITY_API double Sinh_Double(double X) {
    return toDouble(prob::sinh(X));
}
PROBABILITY_API double Cosh_Double(double X) {
    return toDouble(prob::cosh(X));
}
PROBABILITY_API double Tanh_Double(double X) {
    return toDouble(prob::tanh(X));
}

PROBABILITY_API void SinhCosh_Double(double X, double* SinhX, double* CoshX) {
    const double s = toDouble(prob::sinh(X));
    const double c = toDouble(prob::cosh(X));
    *SinhX = s;
    *CoshX = c;
}

PROBABILITY_API double ArcSinh_Double(double X) {
    return toDouble(prob::asinh(X));
}
PROBABILITY_API double ArcCosh_Double(double X) {
    return toDouble(prob::acosh(X));
}
PROBABILITY_API double ArcTanh_Double(double X) {
    return toDouble(prob::atanh(X));
}

PROBABILITY_API double Sec_Double(double X) {
    return toDouble(1.0L / prob::cos(X));
}
PROBABILITY_API double Csc_Double(double X) {
    return toDouble(1.0L / prob::sin(X));
}
PROBABILITY_API double Cot_Double(double X) {
    return toDouble(1.0L / prob::tan(X));
}

// 2E/(E^2 + 1) with E = e^-|X|: the same even function, with E^2 falling
// towards zero instead of overflowing for large |X|.
PROBABILITY_API double Sech_Double(double X) {
    const Ext e = prob::exp(-std::fabs(static_cast<Ext>(X)));
    return toDouble(2.0L * e / (e * e + 1.0L));
}

// 1/sinh and 1/tanh rather than the quotients of E: near zero those lose
// their digits to E - 1/E.
// Beyond 1, 2E/(1 - E^2) with E = e^-|X| falling towards zero: sinh itself
// would overflow (and trap) long before its reciprocal leaves the range.
PROBABILITY_API double Csch_Double(double X) {
    const Ext a = std::fabs(static_cast<Ext>(X));
    if (a < 1.0L) {
        return toDouble(1.0L / prob::sinh(X));
    }
    const Ext e = prob::exp(-a);
    return toDouble(signOf(X) * 2.0L * e / (1.0L - e * e));
}
PROBABILITY_API double Coth_Double(double X) {
    return toDouble(1.0L / prob::tanh(X));
}

PROBABILITY_API double ArcSec_Double(double X) {
    return toDouble(prob::atan2(cofactor(X), signOf(X)));
}

PROBABILITY_API double ArcCsc_Double(double X) {
    return toDouble(prob::atan2(signOf(X), cofactor(X)));
}

PROBABILITY_API double ArcCot_Double(double X) {
    return toDouble(prob::atan2(1.0L, X));
}
// acosh(1/X) with 1/X - 1 formed as (1 - X)/X, exact up to one rounding.
PROBABILITY_API double ArcSech_Double(double X) {
    return toDouble(prob::acosh1p((1.0L - X) / X));
}
PROBABILITY_API double ArcCsch_Double(double X) {
    return toDouble(prob::asinh(1.0L / X));
}
// ln((X + 1)/(X - 1))/2 = ln(1 + 2/(|X| - 1))/2 with the sign of X: the
// exact difference |X| - 1 carries the digits near the poles at +-1.
PROBABILITY_API double ArcCoth_Double(double X) {
    const Ext r = prob::log1p(2.0L / (std::fabs(static_cast<Ext>(X)) - 1.0L)) / 2.0L;
    return toDouble(signOf(X) * r);
}

PROBABILITY_API double DegToRad_Double(double X) {
    return toDouble(X * static_cast<Ext>(DegToRadValue));
}
PROBABILITY_API double RadToDeg_Double(double X) {
    return toDouble(X * static_cast<Ext>(RadToDegValue));
}

PROBABILITY_API double FixAngle_Double(double X) {
    return toDouble(prob::fixAngle(X));
}

PROBABILITY_API void Expj_Double(Cplx* R, double A) {
    const double c = toDouble(prob::cos(A));
    const double s = toDouble(prob::sin(A));
    R->Re = c;
    R->Im = s;
}

} // extern "C"
