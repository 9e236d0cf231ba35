// Real and integer utilities and the NaN/infinity constants and tests.
#include "elementary_kernels.h"
#include "frame.h"

#include <utility>

using namespace prob;

namespace {

constexpr uint64_t kExponentMask = UINT64_C(0x7FF0000000000000);
constexpr uint64_t kFractionMask = UINT64_C(0x000FFFFFFFFFFFFF);

uint64_t bitsOf(double x) {
    return std::bit_cast<uint64_t>(x);
}
bool exponentAllOnes(double x) {
    return (bitsOf(x) & kExponentMask) == kExponentMask;
}
bool isNan(double x) {
    return exponentAllOnes(x) && (bitsOf(x) & kFractionMask) != 0;
}
bool isInf(double x) {
    return exponentAllOnes(x) && (bitsOf(x) & kFractionMask) == 0;
}

// Euclid on the magnitudes, in 64 bits so that |INT32_MIN| is representable.
int64_t gcdMagnitude(int32_t a, int32_t b) {
    int64_t p = a < 0 ? -static_cast<int64_t>(a) : a;
    int64_t q = b < 0 ? -static_cast<int64_t>(b) : b;
    while (q > 0) {
        const int64_t r = p - q * (p / q);
        p = q;
        q = r;
    }
    return p;
}

} // namespace

extern "C" {

PROBABILITY_API double NAN_Double(void) {
    return NanValue;
}
PROBABILITY_API double INF_Double(void) {
    return InfValue;
}
PROBABILITY_API void NAN_Cplx(Cplx* R) {
    *R = ComplexNan;
}
PROBABILITY_API void INF_Cplx(Cplx* R) {
    *R = ComplexInf;
}

PROBABILITY_API bool IsNan_Double(double X) {
    return isNan(X);
}
PROBABILITY_API bool IsInf_Double(double X) {
    return isInf(X);
}
PROBABILITY_API bool IsInfNan_Double(double X) {
    return exponentAllOnes(X);
}
PROBABILITY_API bool IsNanInf_Double(double X) {
    return exponentAllOnes(X);
}
PROBABILITY_API bool IsNan_Cplx(const Cplx* Z) {
    return isNan(Z->Re) || isNan(Z->Im);
}
PROBABILITY_API bool IsInf_Cplx(const Cplx* Z) {
    return isInf(Z->Re) || isInf(Z->Im);
}
PROBABILITY_API bool IsInfNan_Cplx(const Cplx* Z) {
    return exponentAllOnes(Z->Re) || exponentAllOnes(Z->Im);
}
PROBABILITY_API bool IsNanInf_Cplx(const Cplx* Z) {
    return exponentAllOnes(Z->Re) || exponentAllOnes(Z->Im);
}

PROBABILITY_API double Min_Double(double A, double B) {
    return A > B ? B : A;
}
PROBABILITY_API double Max_Double(double A, double B) {
    return A >= B ? A : B;
}

PROBABILITY_API int32_t Sgn_Double(double X) {
    if (X > 0) {
        return 1;
    }
    return X < 0 ? -1 : 0;
}

PROBABILITY_API double Sign_Double(double A, double B) {
    return B >= 0 ? std::fabs(A) : -std::fabs(A);
}

PROBABILITY_API void Limit_Double(double Lo, double* X, double Hi) {
    if (!(*X >= Lo)) {
        *X = Lo;
    } else if (*X > Hi) {
        *X = Hi;
    }
}

PROBABILITY_API bool Equal_Double(double A, double B, double Tol) {
    return !(std::fabs(static_cast<Ext>(A) - B) > Tol);
}

PROBABILITY_API bool Bigger_Double(double A, double B, double Tol) {
    return static_cast<Ext>(A) - Tol > B;
}

PROBABILITY_API bool Smaller_Double(double A, double B, double Tol) {
    return !(static_cast<Ext>(A) + Tol >= B);
}

PROBABILITY_API void Swap_Double(double* A, double* B) {
    std::swap(*A, *B);
}

PROBABILITY_API int64_t Trunc_Double(double X) {
    return truncToInt64(X);
}

PROBABILITY_API double Frac_Double(double X) {
    return static_cast<double>(X - truncExt(X));
}

PROBABILITY_API int32_t Ceil_Double(double X) {
    const Ext t = truncExt(X);
    return roundToInt32(X - t > 0 ? t + 1.0L : t);
}

PROBABILITY_API int32_t Floor_Double(double X) {
    const Ext t = truncExt(X);
    return roundToInt32(X - t < 0 ? t - 1.0L : t);
}

// The remainder to nearest is exact (it is always representable), and fprem1
// forms it exactly whatever rounding and precision the caller has set, where
// A - B * round(A/B) would round its quotient and product.
PROBABILITY_API double Rem_Double(double A, double B) {
    return static_cast<double>(remainderToNearest(A, B));
}

PROBABILITY_API int32_t Min_Integer(int32_t A, int32_t B) {
    return B < A ? B : A;
}
PROBABILITY_API int32_t Max_Integer(int32_t A, int32_t B) {
    return A < B ? B : A;
}

PROBABILITY_API void Limit_Integer(int32_t Lo, int32_t* X, int32_t Hi) {
    if (*X < Lo) {
        *X = Lo;
    } else if (Hi < *X) {
        *X = Hi;
    }
}

PROBABILITY_API void Swap_Integer(int32_t* A, int32_t* B) {
    std::swap(*A, *B);
}

// The smallest power of two >= N, from 2. Above 2^30 the answer 2^31 does
// not fit: it comes back as its 32-bit pattern (INT32_MIN) instead of the
// doubling running on forever.
PROBABILITY_API int32_t LargestExp2_Integer(int32_t N) {
    int64_t power = 2;
    while (power < N) {
        power *= 2;
    }
    return static_cast<int32_t>(static_cast<uint32_t>(power));
}

PROBABILITY_API int32_t LargestLog2_Integer(int32_t N) {
    int32_t halvings = 0;
    while (N > 1) {
        N /= 2;
        ++halvings;
    }
    return halvings;
}

// Gcd(INT32_MIN, 0) = 2^31 comes back as its 32-bit pattern, INT32_MIN.
PROBABILITY_API int32_t Gcd_integer(int32_t A, int32_t B) {
    return static_cast<int32_t>(static_cast<uint32_t>(gcdMagnitude(A, B)));
}

PROBABILITY_API int64_t Lcm_integer(int32_t A, int32_t B) {
    const int64_t g = gcdMagnitude(A, B);
    if (g == 0) {
        return 0; // both zero: B / 0 * A would be 0/0
    }
    return roundToInt64(static_cast<Ext>(B) / static_cast<Ext>(g) * A);
}

} // extern "C"
