// Internal frame of the library, shared by every family of functions:
// the constants, the failure messages, the x87 control-word helpers and the
// extended-precision kernels (x87 instructions on long double) that all
// computations are built from.
//
// Everything here is computed in the 80-bit x87 format and left to the x87
// unit under the caller's control word: an invalid operation, a division by
// zero or an overflow gives a NaN or an infinity when masked and raises
// SIGFPE when unmasked. Results are rounded to double only by the exports.
#pragma once

#include "constants.h"
#include "probability.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace prob {

// ---- Constants held by the library (double precision) ---------------------

inline constexpr double PiValue = 3.141592653589793;
inline constexpr double Ln2Value = 0.6931471805599453;
inline constexpr double Ln10Value = 2.302585092994046;
inline constexpr double LnPiValue = 1.1447298858494002;
inline constexpr double Log2EValue = 1.4426950408889634;
inline constexpr double Log10EValue = 0.4342944819032518;
inline constexpr double TwoPiValue = 6.283185307179586;
inline constexpr double InvTwoPiValue = 0.15915494309189535;
inline constexpr double HalfPiValue = 1.5707963267948966;
inline constexpr double SqrtPiValue = 1.772453850905516;
inline constexpr double SqrtTwoPiValue = 2.5066282746310007;
inline constexpr double LnSqrtTwoPiValue = 0.9189385332046728;
inline constexpr double Sqrt2Value = 1.4142135623730951;
inline constexpr double SqrtHalfValue = 0.7071067811865476;
inline constexpr double DegToRadValue = 0.017453292519943295;
inline constexpr double RadToDegValue = 57.29577951308232;
inline constexpr double EpsilonValue = 0x1p-52;
inline constexpr double MinNormalValue = 0x1p-1022;
inline constexpr double MaxGammaArg = 170.0;
inline constexpr double HugeValue = 2.556348e305;
// The positive quiet NaN: every NaN constant handed out has its sign bit clear.
inline constexpr double NanValue = std::bit_cast<double>(UINT64_C(0x7FF8000000000000));
inline constexpr double InfValue = std::bit_cast<double>(UINT64_C(0x7FF0000000000000));
inline constexpr Cplx ComplexZero = {0.0, 0.0};
inline constexpr Cplx ComplexOne = {1.0, 0.0};
inline constexpr Cplx ComplexNan = {NanValue, NanValue};
inline constexpr Cplx ComplexInf = {InfValue, InfValue};
inline constexpr uint16_t ProMathControlWord = 0x133F;

// k! for k = 0..30 by repeated multiplication in double, as the factorial
// functions expect (exact up to 22!, rounded beyond).
inline constexpr std::array<double, 31> FactorialTable = [] {
    std::array<double, 31> table{};
    table[0] = 1.0;
    for (int k = 1; k < 31; ++k) {
        table[k] = table[k - 1] * k;
    }
    return table;
}();

// ---- Failures raised as exceptions -----------------------------------------

inline constexpr const char* kFailedToConverge = "Failed to converge!";
inline constexpr const char* kOffsetBelowOne = "Offset < 1";

// Raises a failure: as ProbabilityError when a C++ handler up the stack will
// catch it; otherwise (a C caller) sets errno to `code` and returns, and the
// function returns its no-answer value (a NaN). See failure.cpp.
void raiseFailure(const std::string& message, int code);

// The NaN of a computation that has no answer ("Failed to converge!"),
// after raising `message` with errno EDOM for callers that cannot catch it.
Ext noAnswer(const char* message);

// ---- The x87 control word and status flags of the calling thread -----------

inline uint16_t readControlWord() {
    uint16_t cw = 0;
    asm volatile("fnstcw %0" : "=m"(cw));
    return cw;
}

inline void loadControlWord(uint16_t cw) {
    asm volatile("fldcw %0" : : "m"(cw));
}

inline void clearExceptionFlags() {
    asm volatile("fnclex");
}

// Runs a block under another rounding mode (bits 10-11 of the control word)
// and puts the caller's control word back afterwards.
class RoundingScope {
public:
    enum Mode : uint16_t { Nearest = 0x0000, Down = 0x0400, Up = 0x0800, TowardZero = 0x0C00 };
    explicit RoundingScope(Mode mode) : saved_(readControlWord()) {
        loadControlWord(static_cast<uint16_t>((saved_ & ~0x0C00) | mode));
    }
    ~RoundingScope() { loadControlWord(saved_); }
    RoundingScope(const RoundingScope&) = delete;
    RoundingScope& operator=(const RoundingScope&) = delete;

private:
    uint16_t saved_;
};

// Runs a block at full (64-bit) precision with rounding to nearest, whatever
// precision and rounding the caller left in the control word; the exception
// masks stay the caller's. Loads the control word only when it differs.
class NearestFullPrecisionScope {
public:
    NearestFullPrecisionScope() : saved_(readControlWord()) {
        const uint16_t wanted = static_cast<uint16_t>((saved_ & ~0x0F00) | 0x0300);
        if (wanted != saved_) {
            loadControlWord(wanted);
        }
    }
    ~NearestFullPrecisionScope() {
        if (readControlWord() != saved_) {
            loadControlWord(saved_);
        }
    }
    NearestFullPrecisionScope(const NearestFullPrecisionScope&) = delete;
    NearestFullPrecisionScope& operator=(const NearestFullPrecisionScope&) = delete;

private:
    uint16_t saved_;
};

// ---- Bare x87 instructions ---------------------------------------------------

namespace x87 {

inline Ext sqrt(Ext x) {
    asm("fsqrt" : "+t"(x));
    return x;
}

// The angle of the point (x, y): fpatan takes the ordinate in st(1).
inline Ext atan2(Ext y, Ext x) {
    Ext r;
    asm("fpatan" : "=t"(r) : "0"(x), "u"(y) : "st(1)");
    return r;
}

// factor * log2(x)
inline Ext yl2x(Ext x, Ext factor) {
    Ext r;
    asm("fyl2x" : "=t"(r) : "0"(x), "u"(factor) : "st(1)");
    return r;
}

// factor * log2(1 + x), accurate for |x| < 1 - sqrt(1/2)
inline Ext yl2xp1(Ext x, Ext factor) {
    Ext r;
    asm("fyl2xp1" : "=t"(r) : "0"(x), "u"(factor) : "st(1)");
    return r;
}

// 2^f - 1 for -1 <= f <= 1
inline Ext f2xm1(Ext f) {
    asm("f2xm1" : "+t"(f));
    return f;
}

// m * 2^n for integral n
inline Ext scale(Ext m, Ext n) {
    asm("fscale" : "+t"(m) : "u"(n));
    return m;
}

// Rounds under the current rounding mode (to nearest unless changed).
inline Ext roundInt(Ext x) {
    asm("frndint" : "+t"(x));
    return x;
}

inline Ext sin(Ext x) {
    asm("fsin" : "+t"(x));
    return x;
}

inline Ext cos(Ext x) {
    asm("fcos" : "+t"(x));
    return x;
}

inline Ext tan(Ext x) {
    // fptan pushes 1.0 above the tangent for compatibility with the 8087.
    asm("fptan\n\tfstp %%st(0)" : "+t"(x));
    return x;
}

} // namespace x87

// ---- Extended-precision kernels ------------------------------------------------

inline Ext sqrt(Ext x) {
    return x87::sqrt(x);
}
inline Ext atan2(Ext y, Ext x) {
    return x87::atan2(y, x);
}

// 2^u as (2^f - 1 + 1) * 2^n with n = u rounded and f = u - n in [-1/2, 1/2].
inline Ext exp2(Ext u) {
    if (std::isinf(u)) {
        return u > 0 ? u : 0.0L; // f would be inf - inf
    }
    const Ext n = x87::roundInt(u);
    return x87::scale(x87::f2xm1(u - n) + 1.0L, n);
}

// 2^u - 1 without cancellation for small u.
inline Ext exp2m1(Ext u) {
    if (std::fabs(u) <= 1.0L) {
        return x87::f2xm1(u);
    }
    return exp2(u) - 1.0L;
}

inline Ext exp(Ext x) {
    return exp2(x * kLog2E);
}
inline Ext expm1(Ext x) {
    return exp2m1(x * kLog2E);
}
inline Ext exp10(Ext x) {
    return exp2(x * kLog2Of10);
}

// factor * log2(x); near 1 the argument goes through fyl2xp1 so that
// logarithms of numbers close to 1 keep their full relative precision.
inline Ext scaledLog2(Ext x, Ext factor) {
    constexpr Ext lower = 0.70710678118654752440L;
    constexpr Ext upper = 1.41421356237309504880L;
    if (x > lower && x < upper) {
        return x87::yl2xp1(x - 1.0L, factor);
    }
    return x87::yl2x(x, factor);
}

inline Ext log2(Ext x) {
    return scaledLog2(x, 1.0L);
}
inline Ext ln(Ext x) {
    return scaledLog2(x, kLn2);
}
inline Ext log10(Ext x) {
    return scaledLog2(x, kLog10Of2);
}

// Hyperbolic functions from E = e^x; near zero sinh and tanh use e^x - 1
// directly, since E - 1/E would cancel away the leading digits.
inline Ext sinh(Ext x) {
    if (std::fabs(x) < 1.0L) {
        const Ext m = expm1(x);
        return (m + m / (m + 1.0L)) / 2.0L;
    }
    const Ext e = exp(x);
    return (e - 1.0L / e) / 2.0L;
}

inline Ext cosh(Ext x) {
    const Ext e = exp(x);
    return (e + 1.0L / e) / 2.0L;
}

inline Ext tanh(Ext x) {
    const Ext a = std::fabs(x);
    if (a < 1.0L) {
        const Ext m = expm1(2.0L * x);
        return m / (m + 2.0L);
    }
    // Beyond 23 the quotient is 1 to far more than double precision, and E
    // itself would overflow for large arguments (inf / inf).
    if (a > 23.0L) {
        return x > 0 ? 1.0L : -1.0L;
    }
    const Ext e = exp(x);
    return (e - 1.0L / e) / (e + 1.0L / e);
}

} // namespace prob
