// Complex exponentials, logarithms, circular and hyperbolic functions and
// their inverses.
#include "complex_ext.h"

using namespace prob;

namespace {

// Beyond this |t| the hyperbolic terms of the quotients below would leave
// even the extended range (inf / inf), while e^-2|t| is far below the
// smallest double: the quotients are their limits.
constexpr Ext kQuotientLimit = 5000.0L;

// a * b, where a zero a stays a zero (signed as the product) even when b is
// infinite: sin 0 * cosh 1e300 is 0, not 0 * inf.
Ext times(Ext a, Ext b) {
    return a == 0 ? a * (std::signbit(b) ? -1.0L : 1.0L) : a * b;
}

Ext signOf(Ext x) {
    return std::signbit(x) ? -1.0L : 1.0L;
}

// e^x (cos y, sin y); a real argument stays real (its imaginary zero keeps
// its sign), even where e^x overflows and sin 0 * inf would be a NaN.
CExt expC(CExt z) {
    if (z.im == 0) {
        return {exp(z.re), z.im};
    }
    return polar(exp(z.re), z.im);
}

// b^z = b^x (cos(y ln b), sin(y ln b)) for b = 2 or 10, the angle reduced
// from the exact product y ln b; a real argument stays real.
CExt powerOfBase(CExt z, LogBase base) {
    const Ext modulus = base == LogBase::Two ? exp2(z.re) : exp10(z.re);
    if (z.im == 0) {
        return {modulus, z.im};
    }
    if (std::fabs(z.im) < 1.0L) {
        return polar(modulus, z.im * (base == LogBase::Two ? kLn2 : kLn10));
    }
    const CosSin unit = cosSinOf(reduceLogAngle(z.im, base));
    return {times(unit.cos, modulus), times(unit.sin, modulus)};
}

// |z|^2 - 1 without cancellation near the unit circle: each square is
// split into exact partial products before they are summed (Dekker's split
// of the 53-bit parts into halves of at most 32 bits).
Ext normMinusOne(CExt z) {
    auto split = [](Ext v, Ext& high, Ext& low) {
        const Ext c = v * 4294967297.0L; // 2^32 + 1
        high = c - (c - v);
        low = v - high;
    };
    Ext xh, xl, yh, yl;
    split(z.re, xh, xl);
    split(z.im, yh, yl);
    return ((xh * xh - 1.0L) + yh * yh) + (2.0L * xh * xl + 2.0L * yh * yl) + (xl * xl + yl * yl);
}

// (ln |z|, arg z); near the unit circle ln |z| = ln(1 + (|z|^2 - 1))/2.
CExt lnC(CExt z) {
    const Ext n = norm(z);
    if (n > 0.5L && n < 2.0L) {
        return {log1p(normMinusOne(z)) / 2.0L, argument(z)};
    }
    return {ln(n) / 2.0L, argument(z)};
}

CExt sinC(CExt z) {
    return {times(sin(z.re), cosh(z.im)), times(cos(z.re), sinh(z.im))};
}
CExt cosC(CExt z) {
    return {times(cos(z.re), cosh(z.im)), -times(sin(z.re), sinh(z.im))};
}
CExt sinhC(CExt z) {
    return {times(sinh(z.re), cos(z.im)), times(sin(z.im), cosh(z.re))};
}
CExt coshC(CExt z) {
    return {times(cos(z.im), cosh(z.re)), times(sin(z.im), sinh(z.re))};
}

// The tangent family as quotients whose denominators are sums of squares
// (cos^2 x + sinh^2 y = |cos z|^2 and the like), which cannot cancel the
// way cos 2x + cosh 2y does near the poles:
//   tan z  = (sin x cos x, sinh y cosh y) / (cos^2 x + sinh^2 y)
//   cot z  = (sin x cos x, -sinh y cosh y) / (sin^2 x + sinh^2 y)
//   tanh z = (sinh x cosh x, sin y cos y) / (sinh^2 x + cos^2 y)
//   coth z = (sinh x cosh x, -sin y cos y) / (sinh^2 x + sin^2 y)
// circular(x) gives (sin x cos x, cos^2 x or sin^2 x); hyperbolic(t) the
// pair (sinh t cosh t, sinh^2 t). Beyond kQuotientLimit the quotients are
// (+-0, +-1).
struct TangentParts {
    Ext product; // sin x cos x, or sinh t cosh t
    Ext square;  // the square that enters the denominator
};

TangentParts circular(Ext x, bool sineSquared) {
    const Ext s = sin(x);
    const Ext c = cos(x);
    return {s * c, sineSquared ? s * s : c * c};
}

TangentParts hyperbolic(Ext t) {
    const Ext s = sinh(t);
    return {s * cosh(t), s * s};
}

// (p.product / d, q.product / d) with d = p.square + q.square, p the
// circular part; `real` tells which of the two is the real part.
CExt tangentQuotient(Ext x, Ext t, bool sineSquared, bool circularIsReal, Ext imaginarySign) {
    if (std::fabs(t) > kQuotientLimit) {
        const Ext zero = std::copysign(0.0L, sin(x) * cos(x));
        const Ext one = signOf(t);
        return circularIsReal ? CExt{zero, imaginarySign * one} : CExt{one, imaginarySign * zero};
    }
    const TangentParts p = circular(x, sineSquared);
    const TangentParts q = hyperbolic(t);
    const Ext d = p.square + q.square;
    return circularIsReal ? CExt{p.product / d, imaginarySign * q.product / d}
                          : CExt{q.product / d, imaginarySign * p.product / d};
}

CExt tanC(CExt z) {
    return tangentQuotient(z.re, z.im, false, true, 1.0L);
}
CExt cotC(CExt z) {
    return tangentQuotient(z.re, z.im, true, true, -1.0L);
}
CExt tanhC(CExt z) {
    return tangentQuotient(z.im, z.re, false, false, 1.0L);
}
CExt cothC(CExt z) {
    return tangentQuotient(z.im, z.re, true, false, -1.0L);
}

// The reciprocals as conj(f z) / |f z|^2, |f z|^2 written as a sum of
// squares (|cos z|^2 = cos^2 x + sinh^2 y, |sin z|^2 = sin^2 x + sinh^2 y);
// beyond kQuotientLimit both parts are zeros with the signs of the limit.
//   sec z  = (cos x cosh y, sin x sinh y) / (cos^2 x + sinh^2 y)
//   csc z  = (sin x cosh y, -cos x sinh y) / (sin^2 x + sinh^2 y)
//   sech z = (cosh x cos y, -sinh x sin y) / (sinh^2 x + cos^2 y)
//   csch z = (sinh x cos y, -cosh x sin y) / (sinh^2 x + sin^2 y)
CExt reciprocalQuotient(Ext first, Ext second, Ext square, Ext t) {
    if (std::fabs(t) > kQuotientLimit) {
        return {std::copysign(0.0L, first), std::copysign(0.0L, second)};
    }
    const Ext s = sinh(t);
    const Ext d = square + s * s;
    return {first / d, second / d};
}

CExt secC(CExt z) {
    const Ext c = cos(z.re), s = sin(z.re);
    return reciprocalQuotient(times(c, cosh(z.im)), times(s, sinh(z.im)), c * c, z.im);
}
CExt cscC(CExt z) {
    const Ext c = cos(z.re), s = sin(z.re);
    return reciprocalQuotient(times(s, cosh(z.im)), -times(c, sinh(z.im)), s * s, z.im);
}
CExt sechC(CExt z) {
    const Ext c = cos(z.im), s = sin(z.im);
    return reciprocalQuotient(times(c, cosh(z.re)), -times(s, sinh(z.re)), c * c, z.re);
}
CExt cschC(CExt z) {
    const Ext c = cos(z.im), s = sin(z.im);
    return reciprocalQuotient(times(c, sinh(z.re)), -times(s, cosh(z.re)), s * s, z.re);
}

// The inverse sine and cosine after Hull, Fairgrieve and Tang ("Implementing
// the complex arcsine and arccosine functions using exception handling",
// ACM TOMS 23, 1997), on x = |Re z|, y = |Im z|: with r and s the distances
// of z from -1 and 1, A = (r + s)/2 and B = x/A, arcsin x = arcsin(B) and
// arccosh(A) is the imaginary part, each written without cancellation in
// every region. Squares of doubles cannot overflow or underflow the extended
// range, so the original's scaled regions are not needed.
struct InverseParts {
    Ext sine;   // Re arcsin(x + iy), in [0, pi/2]
    Ext cosine; // Re arccos(x + iy), in [0, pi/2]
    Ext im;     // arccosh A >= 0
};

// xm1 is x - 1, which the callers of the reciprocal form without rounding
// away the digits that carry the result near the branch point 1.
InverseParts inverseSineParts(Ext x, Ext y, Ext xm1) {
    if (y == 0) {
        if (x <= 1.0L) {
            const Ext c = sqrt((0.0L - xm1) * (1.0L + x)); // sqrt(1 - x^2), +0 at x = 1
            return {atan2(x, c), atan2(c, x), 0.0L};
        }
        return {kHalfPi, 0.0L, acosh1p(xm1)};
    }
    const Ext xp1 = x + 1.0L;
    const Ext yy = y * y;
    const Ext r = sqrt(xp1 * xp1 + yy);
    const Ext s = sqrt(xm1 * xm1 + yy);
    const Ext a = (r + s) / 2.0L;
    const Ext b = x / a;
    const Ext apx = a + x;
    InverseParts p{};
    if (b <= 0.6417L) {
        p.sine = asin(b);
        p.cosine = acos(b);
    } else if (x <= 1.0L) {
        const Ext d = sqrt(apx / 2.0L * (yy / (r + xp1) + (s - xm1)));
        p.sine = atan2(x, d);
        p.cosine = atan2(d, x);
    } else {
        const Ext d = y * sqrt((apx / (r + xp1) + apx / (s + xm1)) / 2.0L);
        p.sine = atan2(x, d);
        p.cosine = atan2(d, x);
    }
    if (a <= 1.5L) {
        const Ext am1 =
            x < 1.0L ? (yy / (r + xp1) + yy / (s - xm1)) / 2.0L : (yy / (r + xp1) + (s + xm1)) / 2.0L;
        p.im = log1p(am1 + sqrt(am1 * (a + 1.0L)));
    } else {
        p.im = ln(a + sqrt(a * a - 1.0L));
    }
    return p;
}

// Odd in each part: arcsin(conj z) = conj arcsin z, arcsin(-z) = -arcsin z,
// signed zeros included, which puts each side of the cuts where C99 puts it.
InverseParts inverseSineParts(CExt z) {
    const Ext x = std::fabs(z.re);
    return inverseSineParts(x, std::fabs(z.im), x - 1.0L);
}

// The parts at w = 1/z: |Re w| = |x|/n and |Im w| = |y|/n with n = |z|^2,
// and |Re w| - 1 = (|x|(1 - |x|) - y^2)/n without the rounding of 1/z.
InverseParts inverseSinePartsOfReciprocal(CExt z) {
    const Ext x = std::fabs(z.re);
    const Ext y = std::fabs(z.im);
    const Ext n = x * x + y * y;
    return inverseSineParts(x / n, y / n, ((1.0L - x) * x - y * y) / n);
}

CExt asinC(CExt z) {
    const InverseParts p = inverseSineParts(z);
    return {std::copysign(p.sine, z.re), std::copysign(p.im, z.im)};
}

// arccos(conj z) = conj arccos z with the imaginary part of the sign
// opposite to Im z; the left half-plane mirrors the real part about pi/2.
CExt acosC(CExt z) {
    const InverseParts p = inverseSineParts(z);
    const Ext re = std::signbit(z.re) ? kPi - p.cosine : p.cosine;
    return {re, std::copysign(p.im, -z.im)};
}

// The same of w = 1/z, whose parts have the signs of x and -y.
CExt asinOfReciprocal(CExt z) {
    const InverseParts p = inverseSinePartsOfReciprocal(z);
    return {std::copysign(p.sine, z.re), std::copysign(p.im, -z.im)};
}

CExt acosOfReciprocal(CExt z) {
    const InverseParts p = inverseSinePartsOfReciprocal(z);
    const Ext re = std::signbit(z.re) ? kPi - p.cosine : p.cosine;
    return {re, std::copysign(p.im, z.im)};
}

// arctanh(x + iy) = (ln(1 + 4x/((1 - x)^2 + y^2))/4,
//                    atan2(2y, (1 - x)(1 + x) - y^2)/2),
// on |x| and |y| so that the logarithm's argument never comes near -1, and
// odd in each part.
CExt atanhC(CExt z) {
    const Ext x = std::fabs(z.re);
    const Ext y = std::fabs(z.im);
    const Ext xm = 1.0L - x;
    const Ext re = log1p(4.0L * x / (xm * xm + y * y)) / 4.0L;
    const Ext im = atan2(2.0L * y, xm * (1.0L + x) - y * y) / 2.0L;
    return {std::copysign(re, z.re), std::copysign(im, z.im)};
}

// arctanh(1/z) = (ln(1 + 4x/((x - 1)^2 + y^2))/4, atan2(2y, |z|^2 - 1)/2)
// on |x|, |y| with the signs of x and -y: the quotient 1/z, rounded, would
// lose the digits near the poles +-1.
CExt atanhOfReciprocal(CExt z) {
    const Ext x = std::fabs(z.re);
    const Ext y = std::fabs(z.im);
    const Ext xm = x - 1.0L;
    const Ext re = log1p(4.0L * x / (xm * xm + y * y)) / 4.0L;
    const Ext im = atan2(2.0L * y, normMinusOne({x, y})) / 2.0L;
    return {std::copysign(re, z.re), std::copysign(im, -z.im)};
}

// arctan z = -i arctanh(iz)
CExt atanC(CExt z) {
    return mulMinusI(atanhC(mulI(z)));
}

// arcsinh z = -i arcsin(iz)
CExt asinhC(CExt z) {
    return mulMinusI(asinC(mulI(z)));
}

// The principal arccosh, real part >= 0: +-i arccos z, with the sign that
// follows Im z (the lower half-plane takes -i).
CExt acoshC(CExt z) {
    const CExt a = acosC(z);
    return {std::fabs(a.im), std::copysign(a.re, z.im)};
}

// arccosh(1/z): Im(1/z) has the sign of -y.
CExt acoshOfReciprocal(CExt z) {
    const CExt a = acosOfReciprocal(z);
    return {std::fabs(a.im), std::copysign(a.re, -z.im)};
}

// Ln(z) times a real factor, for the logarithms to fixed bases.
CExt scaledLn(CExt z, Ext factor) {
    return lnC(z) * factor;
}

using Unary = CExt (*)(CExt);

template <Unary f> void apply(Cplx* r, const Cplx* z) {
    store(r, f(load(z)));
}

} // namespace

extern "C" {

PROBABILITY_API void Exp_Cplx(Cplx* R, const Cplx* Z) {
    apply<expC>(R, Z);
}

PROBABILITY_API void Exp2_Cplx(Cplx* R, const Cplx* Z) {
    store(R, powerOfBase(load(Z), LogBase::Two));
}

PROBABILITY_API void Exp10_Cplx(Cplx* R, const Cplx* Z) {
    store(R, powerOfBase(load(Z), LogBase::Ten));
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
    apply<secC>(R, Z);
}
PROBABILITY_API void Csc_Cplx(Cplx* R, const Cplx* Z) {
    apply<cscC>(R, Z);
}
PROBABILITY_API void Sech_Cplx(Cplx* R, const Cplx* Z) {
    apply<sechC>(R, Z);
}
PROBABILITY_API void Csch_Cplx(Cplx* R, const Cplx* Z) {
    apply<cschC>(R, Z);
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

// The functions of 1/Z work on Z itself (see the ...OfReciprocal kernels).
PROBABILITY_API void ArcSec_Cplx(Cplx* R, const Cplx* Z) {
    apply<acosOfReciprocal>(R, Z);
}
PROBABILITY_API void ArcCsc_Cplx(Cplx* R, const Cplx* Z) {
    apply<asinOfReciprocal>(R, Z);
}
// arctan(1/z) = -i arctanh(i/z) = -i arctanh(1/(-iz))
PROBABILITY_API void ArcCot_Cplx(Cplx* R, const Cplx* Z) {
    store(R, mulMinusI(atanhOfReciprocal(mulMinusI(load(Z)))));
}
PROBABILITY_API void ArcSech_Cplx(Cplx* R, const Cplx* Z) {
    apply<acoshOfReciprocal>(R, Z);
}
// -i arcsin(i/z) = -i arcsin(1/(-iz)) and -i arctan(i/z) = arctanh(1/z)
PROBABILITY_API void ArcCsch_Cplx(Cplx* R, const Cplx* Z) {
    store(R, mulMinusI(asinOfReciprocal(mulMinusI(load(Z)))));
}
PROBABILITY_API void ArcCoth_Cplx(Cplx* R, const Cplx* Z) {
    apply<atanhOfReciprocal>(R, Z);
}

} // extern "C"
