// Complex construction, parts, rounding and comparison.
#include "complex_ext.h"

#include <utility>

using namespace prob;

namespace {

// Quadrant codes in the order of the argument angle from -pi to pi.
int quadrant(const Cplx& z) {
    if (z.Im < 0) {
        return z.Re < 0 ? 1 : 2;
    }
    return z.Re >= 0 ? 3 : 4;
}

// The squared modulus rounded to double, as the ordering compares it.
double squaredModulus(const Cplx& z) {
    return static_cast<double>(norm(load(&z)));
}

bool bigger2(const Cplx& a, const Cplx& b) {
    const int qa = quadrant(a);
    const int qb = quadrant(b);
    if (qa != qb) {
        return qa > qb;
    }
    return qa <= 2 ? a.Re > b.Re : a.Re < b.Re;
}

bool smaller2(const Cplx& a, const Cplx& b) {
    const int qa = quadrant(a);
    const int qb = quadrant(b);
    if (qa != qb) {
        return qa < qb;
    }
    return qa <= 2 ? a.Re < b.Re : a.Re > b.Re;
}

bool bigger(const Cplx& a, const Cplx& b) {
    const double na = squaredModulus(a);
    const double nb = squaredModulus(b);
    if (na > nb) {
        return true;
    }
    if (na < nb) {
        return false;
    }
    return bigger2(a, b);
}

bool smaller(const Cplx& a, const Cplx& b) {
    const double na = squaredModulus(a);
    const double nb = squaredModulus(b);
    if (na < nb) {
        return true;
    }
    if (na > nb) {
        return false;
    }
    return smaller2(a, b);
}

Ext ceilPart(double x) {
    const Ext t = truncExt(x);
    return roundToInt32(x - t > 0 ? t + 1.0L : t);
}

Ext floorPart(double x) {
    const Ext t = truncExt(x);
    return roundToInt32(x - t < 0 ? t - 1.0L : t);
}

} // namespace

extern "C" {

PROBABILITY_API void Cplx_Cplx(Cplx* R, double Re, double Im) {
    R->Re = Re;
    R->Im = Im;
}

PROBABILITY_API double Real_Cplx(const Cplx* Z) {
    return Z->Re;
}
PROBABILITY_API double Imag_Cplx(const Cplx* Z) {
    return Z->Im;
}
PROBABILITY_API double CAbs_Cplx(const Cplx* Z) {
    return static_cast<double>(modulus(load(Z)));
}
PROBABILITY_API double Arg_Cplx(const Cplx* Z) {
    return static_cast<double>(argument(load(Z)));
}
PROBABILITY_API double Norm_Cplx(const Cplx* Z) {
    return static_cast<double>(norm(load(Z)));
}

PROBABILITY_API void Neg_Cplx(Cplx* R, const Cplx* Z) {
    store(R, -load(Z));
}
PROBABILITY_API void Conj_Cplx(Cplx* R, const Cplx* Z) {
    store(R, {Z->Re, -static_cast<Ext>(Z->Im)});
}
PROBABILITY_API void Flip_Cplx(Cplx* R, const Cplx* Z) {
    store(R, {Z->Im, Z->Re});
}
PROBABILITY_API void FlipConj_Cplx(Cplx* R, const Cplx* Z) {
    store(R, {Z->Im, -static_cast<Ext>(Z->Re)});
}
PROBABILITY_API void MulI_Cplx(Cplx* R, const Cplx* Z) {
    store(R, mulI(load(Z)));
}
PROBABILITY_API void CInv_Cplx(Cplx* R, const Cplx* Z) {
    store(R, inverse(load(Z)));
}
PROBABILITY_API void Swap_Cplx(Cplx* A, Cplx* B) {
    std::swap(*A, *B);
}

PROBABILITY_API int32_t Sgn_Cplx(const Cplx* Z) {
    auto sign = [](double x) {
        return x > 0 ? 1 : (x == 0 ? 0 : -1);
    }; // a NaN counts as negative
    const int re = sign(Z->Re);
    return re != 0 ? re : sign(Z->Im);
}

PROBABILITY_API void Sign_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    const Cplx a = *A;
    const Cplx b = *B;
    R->Re = b.Re >= 0 ? std::fabs(a.Re) : -std::fabs(a.Re);
    R->Im = b.Im >= 0 ? std::fabs(a.Im) : -std::fabs(a.Im);
}

PROBABILITY_API bool Equal_Cplx(const Cplx* A, const Cplx* B) {
    return A->Re == B->Re && A->Im == B->Im;
}

PROBABILITY_API bool Equal_CplxTol(const Cplx* A, const Cplx* B, double Tol) {
    const Ext dRe = std::fabs(static_cast<Ext>(A->Re) - B->Re);
    const Ext dIm = std::fabs(static_cast<Ext>(A->Im) - B->Im);
    return !(dRe > Tol) && !(dIm > Tol);
}

PROBABILITY_API bool Bigger_Cplx(const Cplx* A, const Cplx* B) {
    return bigger(*A, *B);
}
PROBABILITY_API bool Smaller_Cplx(const Cplx* A, const Cplx* B) {
    return smaller(*A, *B);
}
PROBABILITY_API bool Bigger2_Cplx(const Cplx* A, const Cplx* B) {
    return bigger2(*A, *B);
}
PROBABILITY_API bool Smaller2_Cplx(const Cplx* A, const Cplx* B) {
    return smaller2(*A, *B);
}

PROBABILITY_API bool Max_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    const bool aIsBigger = bigger(*A, *B);
    *R = aIsBigger ? *A : *B;
    return aIsBigger;
}

PROBABILITY_API bool Min_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    const bool aIsSmaller = smaller(*A, *B);
    *R = aIsSmaller ? *A : *B;
    return aIsSmaller;
}

PROBABILITY_API void CartToPolar_Cplx(Cplx* R, const Cplx* Z) {
    const CExt z = load(Z);
    store(R, {modulus(z), argument(z)});
}

PROBABILITY_API void PolarToCart_Cplx(Cplx* R, const Cplx* Z) {
    const CExt z = load(Z);
    store(R, polar(z.re, z.im));
}

PROBABILITY_API void Ceil_Cplx(Cplx* R, const Cplx* Z) {
    store(R, {ceilPart(Z->Re), ceilPart(Z->Im)});
}
PROBABILITY_API void Floor_Cplx(Cplx* R, const Cplx* Z) {
    store(R, {floorPart(Z->Re), floorPart(Z->Im)});
}

PROBABILITY_API void CRound_Cplx(Cplx* R, const Cplx* Z) {
    RoundingScope nearest(RoundingScope::Nearest);
    store(R, {x87::roundInt(Z->Re), x87::roundInt(Z->Im)});
}

PROBABILITY_API void CTrunc_Cplx(Cplx* R, const Cplx* Z) {
    store(R, {truncExt(Z->Re), truncExt(Z->Im)});
}

PROBABILITY_API void CFrac_Cplx(Cplx* R, const Cplx* Z) {
    const CExt z = load(Z);
    store(R, {z.re - truncExt(z.re), z.im - truncExt(z.im)});
}

PROBABILITY_API void Rem_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    const CExt a = load(A);
    const CExt b = load(B);
    const CExt q = a / b;
    store(R, a - b * CExt{truncExt(q.re), truncExt(q.im)});
}

} // extern "C"
