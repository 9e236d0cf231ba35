// The library's one real type and its one set of constants.
//
// Every computation inside the library runs in the 80-bit x87 extended format
// (`Ext`, 64-bit significand); results are rounded to double only by the
// exports. Each constant below is written with 36 significant digits, so the
// compiler rounds it once, to the extended value nearest the true one.
#pragma once

#include <limits>

namespace prob {

using Ext = long double;

inline constexpr Ext kPi = 3.14159265358979323846264338327950288L;
inline constexpr Ext kHalfPi = 1.57079632679489661923132169163975144L;
inline constexpr Ext kTwoOverPi = 0.636619772367581343075535053490057448L;
inline constexpr Ext kLn2 = 0.693147180559945309417232121458176568L;
inline constexpr Ext kLog2E = 1.44269504088896340735992468100189214L;
inline constexpr Ext kLog2Of10 = 3.32192809488736234787031942948939018L;
inline constexpr Ext kLog10Of2 = 0.301029995663981195213738894724493027L;
inline constexpr Ext kLn10 = 2.30258509299404568401799145468436421L;
inline constexpr Ext kLog10E = 0.434294481903251827651128918916605082L;
inline constexpr Ext kLnPi = 1.14472988584940017414342735135305871L;
inline constexpr Ext kSqrtPi = 1.77245385090551602729816748334114518L;
inline constexpr Ext kTwoOverSqrtPi = 1.12837916709551257389615890312154517L;
inline constexpr Ext kSqrtTwoPi = 2.50662827463100050241576528481104525L;
inline constexpr Ext kLnSqrtTwoPi = 0.918938533204672741780329736405617640L;
inline constexpr Ext kSqrtTwo = 1.41421356237309504880168872420969808L;
inline constexpr Ext kSqrtHalf = 0.707106781186547524400844362104849039L;

inline constexpr Ext kInfExt = std::numeric_limits<Ext>::infinity();
inline constexpr Ext kNanExt = std::numeric_limits<Ext>::quiet_NaN();

} // namespace prob
