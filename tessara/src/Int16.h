#pragma once
// The control keeps some widths and counters in 16-bit integers; a value that
// does not fit is the runtime's Overflow.
#include <cmath>
#include <cstdint>

#include "tessara/GridError.h"

namespace tessara {

inline constexpr int kInt16Max = 32767;
inline constexpr int kInt16Min = -32768;

// Rounds to the nearest whole number, halves to even, as the runtime does.
inline int roundToInt16(double value) {
    const double rounded = std::nearbyint(value); // default mode: to nearest, ties to even
    if (!(rounded >= kInt16Min && rounded <= kInt16Max))
        throw GridError(ErrOverflow);
    return int(rounded);
}

// A 16-bit loop counter that is about to take this value.
inline int checkInt16(long long value) {
    if (value < kInt16Min || value > kInt16Max)
        throw GridError(ErrOverflow);
    return int(value);
}

} // namespace tessara
