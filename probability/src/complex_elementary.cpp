// Complex exponentials, logarithms, circular and hyperbolic functions and
// their inverses.
#include "complex_ext.h"

#include <algorithm>

using namespace prob;

namespace {

// Beyond this |2y| the hyperbolic terms of the tangent quotients would
// overflow even the extended range (inf / inf), while the quotient itself is
// (0, +-1) far below double precision.
constexpr Ext kQuotientLimit = 10000.0L;

CExt expC(CExt z) {
    return polar(exp(z.re), z.im);
}

CExt lnC(CExt z) {
    return {ln(norm(z)) / 2.0L, argument(z)};
}

CExt sinC(CExt z) {
    return {sin(z.re) * cosh(z.im), cos(z.re) * sinh(z.im)};
}
CExt cosC(CExt z) {
    return {cos(z.re) * cosh(z.im), -sin(z.re) * sinh(z.im)};
}
CExt sinhC(CExt z) {
    return {cos(z.im) * sinh(z.re), sin(z.im) * cosh(z.re)};
}
CExt coshC(CExt z) {
    return {cos(z.im) * cosh(z.re), sin(z.im) * sinh(z.re)};
}

// (sin 2x, sh 2y) / (cos 2x + ch 2y)
CExt tanC(CExt z) {
    const Ext x2 = 2.0L * z.re;
    const Ext y2 = 2.0L * z.im;
    if (std::fabs(y2) > kQuotientLimit) {
        return {std::copysign(0.0L, sin(x2)), y2 > 0 ? 1.0L : -1.0L};
    }
    const Ext d = cos(x2) + cosh(y2);
    return {sin(x2) / d, sinh(y2) / d};
}

// (sin 2x, -sh 2y) / (ch 2y - cos 2x)
CExt cotC(CExt z) {
    const Ext x2 = 2.0L * z.re;
    const Ext y2 = 2.0L * z.im;
    if (std::fabs(y2) > kQuotientLimit) {
        return {std::copysign(0.0L, sin(x2)), y2 > 0 ? -1.0L : 1.0L};
    }
    const Ext d = cosh(y2) - cos(x2);
    return {sin(x2) / d, -sinh(y2) / d};
}

// (sh 2x, sin 2y) / (ch 2x + cos 2y)
CExt tanhC(CExt z) {
    const Ext x2 = 2.0L * z.re;
    const Ext y2 = 2.0L * z.im;
    if (std::fabs(x2) > kQuotientLimit) {
        return {x2 > 0 ? 1.0L : -1.0L, std::copysign(0.0L, sin(y2))};
    }
    const Ext d = cosh(x2) + cos(y2);
    return {sinh(x2) / d, sin(y2) / d};
}

// (sh 2x, -sin 2y) / (ch 2x - cos 2y)
CExt cothC(CExt z) {
    const Ext x2 = 2.0L * z.re;
    const Ext y2 = 2.0L * z.im;
    if (std::fabs(x2) > kQuotientLimit) {
        return {x2 > 0 ? 1.0L : -1.0L, std::copysign(0.0L, -sin(y2))};
    }
    const Ext d = cosh(x2) - cos(y2);
    return {sinh(x2) / d, -sin(y2) / d};
}

// With W = x^2 + y^2 + 1, F = sqrt(W + 2x)/2 and G = sqrt(W - 2x)/2 (half
// the distances of z from -1 and 1): Y = F - G, H = F + G. In exact
// arithmetic |Y| <= 1 <= H; rounding may step over those bounds, which would
// turn the principal value into a NaN, so they are held. The imaginary part
// takes the sign of Im(z) by comparison: a negative zero counts as zero, so
// 1/Z of a real Z (whose imaginary part is -0) stays on the upper side.
CExt asinC(CExt z) {
    const Ext w = norm(z) + 1.0L;
    const Ext f = sqrt(w + 2.0L * z.re) / 2.0L;
    const Ext g = sqrt(w - 2.0L * z.re) / 2.0L;
    const Ext y = std::clamp(f - g, -1.0L, 1.0L);
    const Ext h = std::max(f + g, 1.0L);
    const Ext im = acosh(h);
    return {asin(y), z.im < 0 ? -im : im};
}

CExt acosC(CExt z) {
    const CExt a = asinC(z);
    return {kHalfPi - a.re, -a.im};
}

// (atan2(2x, 1 - x^2 - y^2)/2, ln((x^2 + y^2 + 1 + 2y)/(x^2 + y^2 + 1 - 2y))/4)
CExt atanC(CExt z) {
    const Ext n = norm(z) + 1.0L;
    const Ext re = atan2(2.0L * z.re, (1.0L - z.re * z.re) - z.im * z.im) / 2.0L;
    return {re, ln((n + 2.0L * z.im) / (n - 2.0L * z.im)) / 4.0L};
}

CExt asinhC(CExt z) {
    return mulMinusI(asinC(mulI(z)));
}
CExt acoshC(CExt z) {
    return mulI(acosC(z));
}
CExt atanhC(CExt z) {
    return mulMinusI(atanC(mulI(z)));
}

// Ln(z) times a real factor, for the logarithms to fixed bases.
CExt scaledLn(CExt z, Ext factor) {
    return lnC(z) * factor;
}

using Unary = CExt (*)(CExt);

template <Unary f> void apply(Cplx* r, const Cplx* z) {
    store(r, f(load(z)));
}

template <Unary f> void applyToInverse(Cplx* r, const Cplx* z) {
    store(r, f(inverse(load(z))));
}

template <Unary f> void inverseOf(Cplx* r, const Cplx* z) {
    store(r, inverse(f(load(z))));
}

} // namespace

extern "C" {

PROBABILITY_API void Exp_Cplx(Cplx* R, const Cplx* Z) {
    apply<expC>(R, Z);
}

PROBABILITY_API void Exp2_Cplx(Cplx* R, const Cplx* Z) {
    const CExt z = load(Z);
    store(R, polar(exp2(z.re), z.im * kLn2));
}

PROBABILITY_API void Exp10_Cplx(Cplx* R, const Cplx* Z) {
    const CExt z = load(Z);
    store(R, polar(exp10(z.re), z.im * kLn10));
}

PROBABILITY_API void Ln_Cplx(Cplx* R, const Cplx* Z) {
    apply<lnC>(R, Z);
}
PROBABILITY_API void Log2_Cplx(Cplx* R, const Cplx* Z) {
    store(R, scaledLn(load(Z), kLog2E));
}
PROBABILITY_API void Log10_Cplx(Cplx* R, const Cplx* Z) {
    store(R, scaledLn(load(Z), kLog10E));
}

PROBABILITY_API void LogN_Cplx(Cplx* R, const Cplx* Base, const Cplx* Z) {
    store(R, lnC(load(Z)) / lnC(load(Base)));
}

PROBABILITY_API void LogN_CplxDouble(Cplx* R, const Cplx* Base, double X) {
    store(R, CExt{ln(X), 0.0L} / lnC(load(Base)));
}

PROBABILITY_API void LogN_DoubleCplx(Cplx* R, double Base, const Cplx* Z) {
    store(R, lnC(load(Z)) * (1.0L / ln(Base)));
}

PROBABILITY_API void Sin_Cplx(Cplx* R, const Cplx* Z) {
    apply<sinC>(R, Z);
}
PROBABILITY_API void Cos_Cplx(Cplx* R, const Cplx* Z) {
    apply<cosC>(R, Z);
}
PROBABILITY_API void Tan_Cplx(Cplx* R, const Cplx* Z) {
    apply<tanC>(R, Z);
}
PROBABILITY_API void Cot_Cplx(Cplx* R, const Cplx* Z) {
    apply<cotC>(R, Z);
}
PROBABILITY_API void Sinh_Cplx(Cplx* R, const Cplx* Z) {
    apply<sinhC>(R, Z);
}
PROBABILITY_API void Cosh_Cplx(Cplx* R, const Cplx* Z) {
    apply<coshC>(R, Z);
}
PROBABILITY_API void Tanh_Cplx(Cplx* R, const Cplx* Z) {
    apply<tanhC>(R, Z);
}
PROBABILITY_API void Coth_Cplx(Cplx* R, const Cplx* Z) {
    apply<cothC>(R, Z);
}

PROBABILITY_API void Sec_Cplx(Cplx* R, const Cplx* Z) {
    inverseOf<cosC>(R, Z);
}
PROBABILITY_API void Csc_Cplx(Cplx* R, const Cplx* Z) {
    inverseOf<sinC>(R, Z);
}
PROBABILITY_API void Sech_Cplx(Cplx* R, const Cplx* Z) {
    inverseOf<coshC>(R, Z);
}
PROBABILITY_API void Csch_Cplx(Cplx* R, const Cplx* Z) {
    inverseOf<sinhC>(R, Z);
}

PROBABILITY_API void ArcSin_Cplx(Cplx* R, const Cplx* Z) {
    apply<asinC>(R, Z);
}
PROBABILITY_API void ArcCos_Cplx(Cplx* R, const Cplx* Z) {
    apply<acosC>(R, Z);
}
PROBABILITY_API void ArcTan_Cplx(Cplx* R, const Cplx* Z) {
    apply<atanC>(R, Z);
}
PROBABILITY_API void ArcSinh_Cplx(Cplx* R, const Cplx* Z) {
    apply<asinhC>(R, Z);
}
PROBABILITY_API void ArcCosh_Cplx(Cplx* R, const Cplx* Z) {
    apply<acoshC>(R, Z);
}
PROBABILITY_API void ArcTanh_Cplx(Cplx* R, const Cplx* Z) {
    apply<atanhC>(R, Z);
}

PROBABILITY_API void ArcSec_Cplx(Cplx* R, const Cplx* Z) {
    applyToInverse<acosC>(R, Z);
}
PROBABILITY_API void ArcCsc_Cplx(Cplx* R, const Cplx* Z) {
    applyToInverse<asinC>(R, Z);
}
PROBABILITY_API void ArcCot_Cplx(Cplx* R, const Cplx* Z) {
    applyToInverse<atanC>(R, Z);
}
PROBABILITY_API void ArcSech_Cplx(Cplx* R, const Cplx* Z) {
    applyToInverse<acoshC>(R, Z);
}

// -i ArcSin(i/Z) and -i ArcTan(i/Z)
PROBABILITY_API void ArcCsch_Cplx(Cplx* R, const Cplx* Z) {
    store(R, mulMinusI(asinC(mulI(inverse(load(Z))))));
}
PROBABILITY_API void ArcCoth_Cplx(Cplx* R, const Cplx* Z) {
    store(R, mulMinusI(atanC(mulI(inverse(load(Z))))));
}

} // extern "C"
