// Complex arithmetic: the four operations, mixed operations with a Double,
// squares, roots and powers.
#include "complex_ext.h"

using namespace prob;

namespace {

// Principal square root: Q = sqrt((|Z| + |Re|)/2); the other part is
// Im/(2Q). At zero Q is 0 and the quotient would be 0/0: the root of 0 is 0.
CExt squareRoot(CExt z) {
    const Ext q = sqrt((modulus(z) + std::fabs(z.re)) / 2.0L);
    if (q == 0.0L) {
        return {0.0L, z.im};
    }
    const Ext other = z.im / (2.0L * q);
    if (z.re >= 0) {
        return {q, other};
    }
    return {std::fabs(other), z.im >= 0 ? q : -q};
}

// e^(exponent * ln base) for a real base >= 0; the zero base gives 0 for a
// positive exponent, where ln 0 would raise a division by zero.
Ext realPower(Ext base, Ext exponent) {
    if (base == 0.0L && exponent > 0.0L) {
        return 0.0L;
    }
    return exp2(exponent * log2(base));
}

} // namespace

extern "C" {

PROBABILITY_API void CAdd_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    store(R, load(A) + load(B));
}
PROBABILITY_API void CSub_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    store(R, load(A) - load(B));
}
PROBABILITY_API void CMul_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    store(R, load(A) * load(B));
}
PROBABILITY_API void CDiv_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    store(R, load(A) / load(B));
}

PROBABILITY_API void CAdd_CplxDouble(Cplx* R, const Cplx* Z, double X) {
    store(R, {Z->Re + static_cast<Ext>(X), Z->Im});
}
PROBABILITY_API void CSub_CplxDouble(Cplx* R, const Cplx* Z, double X) {
    store(R, {Z->Re - static_cast<Ext>(X), Z->Im});
}
PROBABILITY_API void CSub_DoubleCplx(Cplx* R, double X, const Cplx* Z) {
    store(R, {X - static_cast<Ext>(Z->Re), -static_cast<Ext>(Z->Im)});
}
PROBABILITY_API void CMul_CplxDouble(Cplx* R, const Cplx* Z, double X) {
    store(R, load(Z) * static_cast<Ext>(X));
}
PROBABILITY_API void CDiv_CplxDouble(Cplx* R, const Cplx* Z, double X) {
    store(R, load(Z) * (1.0L / X));
}

PROBABILITY_API void CSqr_Cplx(Cplx* R, const Cplx* Z) {
    const CExt z = load(Z);
    store(R, {z.re * z.re - z.im * z.im, 2.0L * z.re * z.im});
}

PROBABILITY_API void CSqrt_Cplx(Cplx* R, const Cplx* Z) {
    store(R, squareRoot(load(Z)));
}

PROBABILITY_API void Root_Cplx(Cplx* R, const Cplx* Z, int32_t K, int32_t N) {
    const CExt z = load(Z);
    const Ext m = realPower(modulus(z), 1.0L / N);
    const double angle = FixAngle_Double(static_cast<double>((argument(z) + K * 2.0L * kPi) / N));
    store(R, polar(m, angle));
}

PROBABILITY_API void IntPower_Cplx(Cplx* R, const Cplx* Z, int32_t N) {
    const CExt z = load(Z);
    store(R, polar(intPower(modulus(z), N), N * argument(z)));
}

PROBABILITY_API void Power_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    const CExt a = load(A);
    const CExt b = load(B);
    if (norm(a) == 0.0L && b.re > 0.0L) {
        store(R, {0.0L, 0.0L});
        return;
    }
    const Ext l = static_cast<double>(ln(modulus(a)));
    const Ext t = static_cast<double>(argument(a));
    store(R, polar(exp(b.re * l - b.im * t), b.re * t + l * b.im));
}

PROBABILITY_API void Power_CplxDouble(Cplx* R, const Cplx* Z, double X) {
    const CExt z = load(Z);
    store(R, polar(realPower(modulus(z), X), X * argument(z)));
}

PROBABILITY_API void Power_DoubleCplx(Cplx* R, double X, const Cplx* Z) {
    const CExt z = load(Z);
    if (X == 0.0 && z.re > 0.0L) {
        store(R, {0.0L, 0.0L});
        return;
    }
    const Ext l = ln(X);
    store(R, polar(exp(l * z.re), l * z.im));
}

PROBABILITY_API void Pythag_Cplx(Cplx* R, const Cplx* A, const Cplx* B) {
    const CExt a = load(A);
    const CExt b = load(B);
    store(R, squareRoot(a * a + b * b));
}

} // extern "C"
