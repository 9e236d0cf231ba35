// Sine, cosine and tangent of an extended argument with exact argument
// reduction: the argument is brought into [-pi/4, pi/4] by whole quarter
// turns, computed against enough bits of pi that the rest keeps its full
// precision for every finite argument, and only then handed to the
// processor's fsin/fcos/fptan (exact to within an extended ulp there; their
// own reduction uses a 66-bit pi and loses every digit near multiples of pi).
#pragma once

#include "frame.h"

namespace prob {

struct ReducedAngle {
    Ext r;       // in about [-pi/4, pi/4]
    int quarter; // number of quarter turns taken off, modulo 4
};

// |x| < 2^32 (Cody and Waite): pi/2 split into 32-bit pieces, about 200 bits
// in all. The caller runs it at full precision with rounding to nearest.
inline ReducedAngle reduceShortAngle(Ext x) {
    constexpr Ext p1 = 0xc90fdaa2p-31L;
    constexpr Ext p2 = 0x85a308d3p-65L;
    constexpr Ext p3 = 0x98cc5170p-100L;
    constexpr Ext p4 = 0xdc1cd129p-135L;
    constexpr Ext p5 = 0x93822299p-173L;
    constexpr Ext p6 = 0xf31d0082p-205L;
    const Ext k = x87::roundInt(x * kTwoOverPi);
    // k has at most 32 bits and every piece 32, so each product is exact and
    // the early differences cancel exactly.
    Ext r = x - k * p1;
    r -= k * p2;
    r -= k * p3;
    r -= k * p4;
    r -= k * p5;
    r -= k * p6;
    return {r, static_cast<int>(static_cast<int64_t>(k) & 3)};
}

// Any finite |x| >= 2^32 (Payne and Hanek): x times 2/pi modulo 4 from the
// bits of 2/pi that matter at x's exponent.
ReducedAngle reduceLongAngle(Ext x);

inline ReducedAngle reduceAngle(Ext x) {
    NearestFullPrecisionScope scope;
    return std::fabs(x) < 0x1p32L ? reduceShortAngle(x) : reduceLongAngle(x);
}

// Below pi/4 the processor's instructions need no reduction; infinities and
// NaNs go to them too, where they are the invalid operation they should be.
inline bool needsReduction(Ext x) {
    const Ext a = std::fabs(x);
    return a > 0.785398163397448309616L && a <= std::numeric_limits<Ext>::max();
}

// sin(x + quarters * pi/2): sine and cosine differ only by a quarter turn,
// which picks the kernel and the sign after the reduction.
inline Ext sinQuarterShifted(Ext x, int quarters) {
    if (!needsReduction(x)) {
        return quarters ? x87::cos(x) : x87::sin(x);
    }
    const ReducedAngle a = reduceAngle(x);
    switch ((a.quarter + quarters) & 3) {
    case 0:
        return x87::sin(a.r);
    case 1:
        return x87::cos(a.r);
    case 2:
        return -x87::sin(a.r);
    default:
        return -x87::cos(a.r);
    }
}

inline Ext sin(Ext x) {
    return sinQuarterShifted(x, 0);
}
inline Ext cos(Ext x) {
    return sinQuarterShifted(x, 1);
}

inline Ext tan(Ext x) {
    if (!needsReduction(x)) {
        return x87::tan(x);
    }
    const ReducedAngle a = reduceAngle(x);
    const Ext t = x87::tan(a.r);
    return (a.quarter & 1) ? -1.0L / t : t;
}

// The angle y ln 2 or y ln 10 (of 2^(iy) and 10^(iy)) in quarter turns,
// from the exact product: y ln b rounded first would lose the angle for
// large y.
enum class LogBase { Two, Ten };
ReducedAngle reduceLogAngle(Ext y, LogBase base);

// (cos, sin) of a reduced angle.
struct CosSin {
    Ext cos;
    Ext sin;
};

inline CosSin cosSinOf(ReducedAngle a) {
    const Ext c = x87::cos(a.r);
    const Ext s = x87::sin(a.r);
    switch (a.quarter) {
    case 0:
        return {c, s};
    case 1:
        return {-s, c};
    case 2:
        return {-c, -s};
    default:
        return {s, -c};
    }
}

// x - 2 pi round(x / 2 pi) with the exact quotient: the angle in [-pi, pi].
Ext fixAngle(Ext x);

} // namespace prob
