// Complex numbers in extended precision inside the library. The exports load
// their operand records into these first and store the result record last,
// so a caller may pass the same record as operand and result.
#pragma once

#include "elementary_kernels.h"
#include "frame.h"

namespace prob {

struct CExt {
    Ext re;
    Ext im;
};

inline CExt load(const Cplx* z) {
    return {z->Re, z->Im};
}

inline void store(Cplx* r, CExt z) {
    const double re = static_cast<double>(z.re);
    const double im = static_cast<double>(z.im);
    r->Re = re;
    r->Im = im;
}

inline CExt operator+(CExt a, CExt b) {
    return {a.re + b.re, a.im + b.im};
}
inline CExt operator-(CExt a, CExt b) {
    return {a.re - b.re, a.im - b.im};
}
inline CExt operator-(CExt a) {
    return {-a.re, -a.im};
}
inline CExt operator*(CExt a, Ext x) {
    return {a.re * x, a.im * x};
}

inline CExt operator*(CExt a, CExt b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + b.re * a.im};
}

// With K = 1/(B.Re^2 + B.Im^2): (K(B.Re A.Re + B.Im A.Im), K(B.Re A.Im - B.Im A.Re)).
// The squares cannot overflow: every double squared fits the extended range.
inline CExt operator/(CExt a, CExt b) {
    const Ext k = 1.0L / (b.re * b.re + b.im * b.im);
    return {k * (b.re * a.re + b.im * a.im), k * (b.re * a.im - b.im * a.re)};
}

inline CExt mulI(CExt z) {
    return {-z.im, z.re};
} // i z
inline CExt mulMinusI(CExt z) {
    return {z.im, -z.re};
} // -i z
inline CExt inverse(CExt z) {
    const Ext n = z.re * z.re + z.im * z.im;
    return {z.re / n, -z.im / n};
}

inline Ext norm(CExt z) {
    return z.re * z.re + z.im * z.im;
}
inline Ext modulus(CExt z) {
    return sqrt(norm(z));
}
inline Ext argument(CExt z) {
    return atan2(z.im, z.re);
}

// modulus * (cos angle, sin angle)
inline CExt polar(Ext modulus, Ext angle) {
    return {modulus * cos(angle), modulus * sin(angle)};
}

} // namespace prob
