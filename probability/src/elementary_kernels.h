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

// arcsin as the angle of the point (sqrt(1 - x^2), x). 1 - x^2 is formed as
// (1 - x)(1 + x): exact factors near |x| = 1, where x*x would lose the digits
// that carry the whole angle. |x| > 1 makes the root an invalid operation.
inline Ext asin(Ext x) {
    return atan2(x, sqrt((1.0L - x) * (1.0L + x)));
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
