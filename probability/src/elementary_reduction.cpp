// Reduction of large angles by quarter turns (Payne and Hanek) and the
// angle brought into [-pi, pi].
#include "elementary_trig.h"

#include <array>
#include <cstring>

namespace prob {

namespace {

// floor(2/pi * 2^1536): the first 1536 bits of 2/pi after the binary point,
// most significant word first (mpmath, 1556-bit working precision). Enough
// for every argument below 2^1280: each double, and each double doubled.
constexpr std::array<uint64_t, 24> kTwoOverPiBits = {
    0xA2F9836E4E441529, 0xFC2757D1F534DDC0, 0xDB6295993C439041, 0xFE5163ABDEBBC561, 0xB7246E3A424DD2E0,
    0x06492EEA09D1921C, 0xFE1DEB1CB129A73E, 0xE88235F52EBB4484, 0xE99C7026B45F7E41, 0x3991D639835339F4,
    0x9C845F8BBDF9283B, 0x1FF897FFDE05980F, 0xEF2F118B5A0A6D1F, 0x6D367ECF27CB09B7, 0x4F463F669E5FEA2D,
    0x7527BAC7EBE5F17B, 0x3D0739F78A5292EA, 0x6BFB5FB11F8D5D08, 0x56033046FC7B6BAB, 0xF0CFBC209AF4361D,
    0xA9E391615EE61B08, 0x6599855F14A06840, 0x8DFFD8804D732731, 0x06061556CA73A8C9};

constexpr int kLargestExponent = 1280;

// The same for ln 2 * 2/pi (the quarter turns in Im z of 2^z) and for
// ln 10 * 2/pi (of 10^z), the latter halved to stay below 1 (mpmath, 1600 bits).
constexpr std::array<uint64_t, 24> kLn2TwoOverPiBits = {
    0x70F7263DFA5A6EEC, 0xB608582E55FEF3DD, 0x8E13BECD1D495C36, 0x1D72013AEA9F8FCA, 0x76E866FC9B48BE48,
    0x15F5CB6FD8BEE211, 0x0394DB3020D6EB52, 0x30FFA9AE90CBC735, 0x51358CED67C0DB3C, 0x490D15BDD91A29F5,
    0x682402AF5E8F9C23, 0xBFF15CBC71F05FED, 0xFE0BB0622A8C8F67, 0x7309C45A7502282A, 0xEAD0C2435C5527BB,
    0x759F345E2D0628E8, 0xB1A563A253E62918, 0xEA5FFDABEAC0D479, 0xCFEDB1B6FC78B439, 0xA333A25FDC77BE31,
    0x5916A9FBF567BD21, 0xD86A3B0D0301E0A6, 0x35686694F33D292F, 0xA92AF1436D4A0BD5};
constexpr std::array<uint64_t, 24> kHalfLn10TwoOverPiBits = {
    0xBBA1AADB42E5A197, 0x2F89D7E49E46C615, 0xD9177F10CDE1568E, 0x15E7E671FDB21928, 0xC1B9A4F996A1526B,
    0x387678D3FCFF9B23, 0x0F0AB1DB14BAFFC3, 0x9AB6109729E9B0FF, 0x4403AB8148241578, 0x9E7489311EA9826B,
    0xC2F45D673519768B, 0xFF2B9A0F53C330CC, 0xD3CF26E2DCCCC225, 0x78859F7CF6C39F9C, 0xAA8AE61E62EAF4D2,
    0x2926949FDFAB5F54, 0x75BEB26965A9C436, 0x13EA83B0C869D8E3, 0xB82C064B1FEEC0CE, 0x0C0048C5D3D8674F,
    0xD18174AC14B3071A, 0x5CC9EAE1860015A5, 0x913ECD99896CFECA, 0xC25E57A046F09E21};

using Bits = std::array<uint64_t, 24>;

// pi/2 as the sum of the nearest extended value and the rest (mpmath).
constexpr Ext kHalfPiHigh = 0xc90fdaa22168c235p-63L;
constexpr Ext kHalfPiLow = -2.50827880633416601177866354017e-20L;

// The 64 bits of the constant that start at bit `first` (bit 1 is the
// first after the binary point; the bits before it are zero, as each
// constant is below 1).
uint64_t constantWord(const Bits& bits, int first) {
    const int offset = first - 1;
    if (offset <= -64) {
        return 0;
    }
    if (offset < 0) {
        return bits[0] >> -offset;
    }
    const int word = offset / 64;
    const int shift = offset % 64;
    if (shift == 0) {
        return bits[word];
    }
    return (bits[word] << shift) | (bits[word + 1] >> (64 - shift));
}

// a * b as two 64-bit halves, from 32-bit pieces (no 128-bit integers in
// 32-bit code).
struct Product {
    uint64_t high;
    uint64_t low;
};

Product multiply(uint64_t a, uint64_t b) {
    const uint64_t a0 = a & 0xFFFFFFFFu, a1 = a >> 32;
    const uint64_t b0 = b & 0xFFFFFFFFu, b1 = b >> 32;
    const uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
    const uint64_t middle = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
    return {p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32), (middle << 32) | (p00 & 0xFFFFFFFFu)};
}

// 256-bit fixed-point fraction, most significant word first.
using Fraction = std::array<uint64_t, 4>;

void negate(Fraction& f) {
    unsigned carry = 1;
    for (int i = 3; i >= 0; --i) {
        const uint64_t inverted = ~f[i];
        f[i] = inverted + carry;
        carry = carry && f[i] == 0;
    }
}

// The fraction times pi/2, from its leading 128 bits.
Ext fractionTimesHalfPi(const Fraction& f) {
    int word = 0;
    while (word < 4 && f[word] == 0) {
        ++word;
    }
    if (word == 4) {
        return 0.0L;
    }
    const int shift = __builtin_clzll(f[word]);
    auto at = [&](int i) {
        return i < 4 ? f[i] : uint64_t{0};
    };
    uint64_t high = at(word);
    uint64_t low = at(word + 1);
    if (shift != 0) {
        high = (high << shift) | (low >> (64 - shift));
        low = (low << shift) | (at(word + 2) >> (64 - shift));
    }
    const int exponent = -64 * (word + 1) - shift;
    const Ext h = std::ldexp(static_cast<Ext>(high), exponent);
    const Ext l = std::ldexp(static_cast<Ext>(low), exponent - 64);
    return h * kHalfPiHigh + (h * kHalfPiLow + l * kHalfPiHigh);
}

// x times (bits 2^scale) in quarter turns, modulo 4.
ReducedAngle reduceQuarterTurns(Ext x, const Bits& bits, int scale) {
    // x = m 2^e with a 64-bit integer m. Bits of 2/pi up to place e - 2 only
    // add multiples of 4 quarter turns, and 256 bits from place e - 1 on
    // leave m 2^-254 of error at most, far below the closest any extended
    // argument comes to a multiple of pi/2.
    int exponent = 0;
    const Ext mantissa = std::frexp(std::fabs(x), &exponent);
    exponent += scale;
    if (exponent > kLargestExponent) {
        return {kNanExt, 0}; // beyond every argument a double can carry
    }
    const uint64_t m = static_cast<uint64_t>(std::ldexp(mantissa, 64));
    const int first = exponent - 64 - 1;
    const uint64_t w[4] = {constantWord(bits, first), constantWord(bits, first + 64),
                           constantWord(bits, first + 128), constantWord(bits, first + 192)};
    // x 2/pi modulo 4 = (m W modulo 2^256) / 2^254: the top two bits of the
    // product's low 256 count the quarter turns, the rest is the fraction.
    Fraction f{};
    uint64_t carry = 0;
    for (int i = 3; i >= 0; --i) {
        const Product t = multiply(m, w[i]);
        f[i] = t.low + carry;
        carry = t.high + (f[i] < carry);
    }
    int quarter = static_cast<int>(f[0] >> 62);
    for (int i = 0; i < 3; ++i) {
        f[i] = (f[i] << 2) | (f[i + 1] >> 62);
    }
    f[3] <<= 2;
    bool negative = false;
    if (f[0] >> 63) { // at least half a quarter turn: round up
        ++quarter;
        negate(f);
        negative = true;
    }
    Ext r = fractionTimesHalfPi(f);
    if (negative) {
        r = -r;
    }
    if (x < 0) {
        return {-r, -quarter & 3};
    }
    return {r, quarter & 3};
}

} // namespace

ReducedAngle reduceLongAngle(Ext x) {
    return reduceQuarterTurns(x, kTwoOverPiBits, 0);
}

ReducedAngle reduceLogAngle(Ext y, LogBase base) {
    NearestFullPrecisionScope scope;
    return base == LogBase::Two ? reduceQuarterTurns(y, kLn2TwoOverPiBits, 0)
                                : reduceQuarterTurns(y, kHalfLn10TwoOverPiBits, 1);
}

Ext fixAngle(Ext x) {
    if (!(std::fabs(x) > kPi)) {
        return std::isnan(x) ? x - x : x;
    }
    if (std::isinf(x)) {
        return x - x; // no angle: the invalid operation
    }
    NearestFullPrecisionScope scope;
    const ReducedAngle a = std::fabs(x) < 0x1p32L ? reduceShortAngle(x) : reduceLongAngle(x);
    switch (a.quarter) {
    case 0:
        return a.r;
    case 1:
        return kHalfPiHigh + (a.r + kHalfPiLow);
    case 3:
        return -kHalfPiHigh + (a.r - kHalfPiLow);
    default: // half a turn off: towards the side of zero
        return a.r < 0 ? 2 * kHalfPiHigh + (a.r + 2 * kHalfPiLow) : -2 * kHalfPiHigh + (a.r - 2 * kHalfPiLow);
    }
}

} // namespace prob
