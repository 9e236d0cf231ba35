// Extended-precision kernels of the inverse hyperbolic and circular
// functions and the conversions to integers, shared by the real exports and
// the complex functions built on them.
#pragma once

#include "elementary_trig.h"
#include "frame.h"

namespace prob {

// ln(1 + t) keeping the relative precision of small t.
inline Ext log1p(Ext t) {
    if (std::fabs(t) < 0.29289321881345247560L) { // 1 - sqrt(1/2), the range of fyl2xp1
        return x87::yl2xp1(t, kLn2);
    }
    return ln(1.0L + t);
}

// (arcsin(sqrt t) - sqrt t) / t^(3/2) on [0, 1/4], as a polynomial in t of
// degree 15: mpmath's Chebyshev fit (chebyfit, 40 digits), whose largest
// error on the interval is 4.2e-21 (2^-65 of its value 1/6). Lowest degree
// first.
inline constexpr Ext kArcSinSeries[16] = {
    1.666666666666666666634528e-1L,  7.500000000000000657908809e-2L, 4.464285714285491105800016e-2L,
    3.038194444474314785257393e-2L,  2.237215906996018128755801e-2L, 1.735276530928495335040143e-2L,
    1.396481921417254496447795e-2L,  1.155226857391512705522331e-2L, 9.755275316163534624568471e-3L,
    8.452406065746546581824083e-3L,  6.869444870499221463435135e-3L, 8.741103077273931162735208e-3L,
    -2.716881108304149684671757e-3L, 2.649202734087792841353921e-2L, -2.928865249229192735466537e-2L,
    3.20741268671217913437244e-2L};

// The series at t by Estrin's scheme: pairs, then pairs of pairs with t^2,
// t^4 and t^8, so that the products run side by side instead of one after
// another as in Horner's.
inline Ext arcSinSeries(Ext t) {
    const auto& c = kArcSinSeries;
    const Ext t2 = t * t;
    const Ext t4 = t2 * t2;
    const Ext t8 = t4 * t4;
    const Ext a0 = c[0] + c[1] * t, a1 = c[2] + c[3] * t, a2 = c[4] + c[5] * t, a3 = c[6] + c[7] * t;
    const Ext a4 = c[8] + c[9] * t, a5 = c[10] + c[11] * t, a6 = c[12] + c[13] * t, a7 = c[14] + c[15] * t;
    const Ext b0 = a0 + a1 * t2, b1 = a2 + a3 * t2, b2 = a4 + a5 * t2, b3 = a6 + a7 * t2;
    return (b0 + b1 * t4) + (b2 + b3 * t4) * t8;
}

// arcsin x = x + x^3 S(x^2) for |x| <= 1/2; above, arcsin x = pi/2 -
// 2 arcsin(sqrt((1 - x)/2)) with 1 - x exact. The values are those of the
// angle of the point (sqrt(1 - x^2), x), reached without the slow partial
// arctangent. |x| > 1 (and infinities) makes the root an invalid operation,
// a NaN stays a NaN, and -0 stays -0.
inline Ext asin(Ext x) {
    const Ext a = std::fabs(x);
    if (!(a > 0.5L)) {
        return x + x * (x * x) * arcSinSeries(x * x);
    }
    constexpr Ext halfPiHigh = 0xc90fdaa22168c235p-63L;
    constexpr Ext halfPiLow = -2.50827880633416601177866354017e-20L;
    const Ext s = sqrt((1.0L - a) / 2.0L);
    const Ext t = s * s;
    const Ext r = (halfPiHigh - 2.0L * s) + (halfPiLow - 2.0L * s * t * arcSinSeries(t));
    return x < 0 ? -r : r;
}

inline Ext acos(Ext x) {
    return atan2(sqrt((1.0L - x) * (1.0L + x)), x);
}

// ln(x + sqrt(x^2 + 1)), odd, so that negative x cannot cancel to ln 0.
// Beyond 2^32 the root is x to the last bit and ln(2x) = ln x + ln 2 keeps
// infinities infinite (the quotient below would be inf/inf).
inline Ext asinh(Ext x) {
    const Ext a = std::fabs(x);
    const Ext r = a > 0x1p32L ? ln(a) + kLn2 : log1p(a + a * a / (1.0L + sqrt(a * a + 1.0L)));
    return x < 0 ? -r : r;
}

// acosh(1 + d) = ln(1 + d + sqrt(d (d + 2))), for the d that the callers
// form exactly (x - 1, or (1 - x)/x for the reciprocal). d < 0 is outside
// the domain: its root is the invalid operation, so that no negative
// argument can pair two negative factors into a real-looking result.
inline Ext acosh1p(Ext d) {
    return log1p(d + sqrt(d) * sqrt(d + 2.0L));
}

inline Ext acosh(Ext x) {
    return acosh1p(x - 1.0L);
}

// ln((1 + x)/(1 - x))/2 written as ln(1 + 2|x|/(1 - |x|))/2 with the sign of
// x: the argument of ln(1 + t) stays positive, never near -1, where it would
// lose the digits of 1 + t.
inline Ext atanh(Ext x) {
    const Ext a = std::fabs(x);
    const Ext r = log1p(2.0L * a / (1.0L - a)) / 2.0L;
    return x < 0 ? -r : r;
}

// a - b * (a/b rounded to nearest, ties to even), exactly: fprem1 takes off
// at most 2^63 quotients per round and flags an unfinished one in C2.
inline Ext remainderToNearest(Ext a, Ext b) {
    uint16_t status;
    do {
        asm("fprem1\n\tfnstsw %%ax" : "+t"(a), "=a"(status) : "u"(b));
    } while (status & 0x0400);
    return a;
}

// x^n by square-and-multiply over the bits of |n|, starting from 1; the
// reciprocal for negative n.
inline Ext intPower(Ext x, int32_t n) {
    uint32_t bits = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    Ext result = 1.0L;
    Ext square = x;
    while (bits != 0) {
        if (bits & 1u) {
            result *= square;
        }
        square *= square;
        bits >>= 1;
    }
    return n < 0 ? 1.0L / result : result;
}

// Conversions by the x87 unit itself: a value out of range (or a NaN) gives
// the integer indefinite (the lowest integer) with the invalid flag raised,
// never undefined behaviour.
inline int32_t roundToInt32(Ext x) {
    int32_t r;
    asm("fistpl %0" : "=m"(r) : "t"(x) : "st");
    return r;
}

inline int64_t roundToInt64(Ext x) {
    int64_t r;
    asm("fistpll %0" : "=m"(r) : "t"(x) : "st");
    return r;
}

inline int64_t truncToInt64(Ext x) {
    int64_t r;
    asm("fisttpll %0" : "=m"(r) : "t"(x) : "st");
    return r;
}

// x truncated toward zero, kept in extended format.
inline Ext truncExt(Ext x) {
    RoundingScope scope(RoundingScope::TowardZero);
    return x87::roundInt(x);
}

} // namespace prob
