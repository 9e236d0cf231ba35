// Complex log-gamma and gamma, and the order-zero Bessel functions I0 and J0
// of complex argument.
#include "probability.h"
#include "sf_internal.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace prob {
namespace {

constexpr Ext inf = std::numeric_limits<Ext>::infinity();
constexpr Ext nan = std::numeric_limits<Ext>::quiet_NaN();

// Bernoulli coefficients B_2k / (2k (2k - 1)), k = 1..8.
constexpr Ext stirlingTerms[8] = {1.0L / 12,   -1.0L / 360,      1.0L / 1260, -1.0L / 1680,
                                  1.0L / 1188, -691.0L / 360360, 1.0L / 156,  -3617.0L / 122400};

// Below this real part the upward recurrence would take too many steps to be
// worth waiting for; such arguments give a complex NaN.
constexpr Ext recurrenceFloor = -1e6L;

Complex stirling(Complex z) {
    const Complex inv = 1.0L / z;
    const Complex inv2 = inv * inv;
    Complex sum = 0;
    for (int k = 7; k >= 0; --k)
        sum = sum * inv2 + stirlingTerms[k];
    return (z - 0.5L) * std::log(z) - z + kLnSqrtTwoPi + sum * inv;
}

} // namespace

Complex lnGamma(Complex z) {
    if (std::isnan(z.real()) || std::isnan(z.imag()))
        return {nan, nan};
    if (z.imag() == 0 && z.real() <= 0 && z.real() == std::trunc(z.real()))
        return {inf, inf};
    if (z.imag() < 0)
        return std::conj(lnGamma(std::conj(z)));
    if (z.real() < recurrenceFloor)
        return {nan, nan};
    // lnGamma(z) = lnGamma(z + n) - ln z - ln(z + 1) - ... - ln(z + n - 1)
    Complex logs = 0;
    while (z.real() < 9) {
        logs += std::log(z);
        z += 1;
    }
    return stirling(z) - logs;
}

} // namespace prob

namespace {

using namespace prob;

void store(Cplx* r, Complex v) {
    r->Re = static_cast<double>(v.real());
    r->Im = static_cast<double>(v.imag());
}

// Where J0 changes from its power series, whose terms grow to about
// e^|z| / |z| and cancel, to the Hankel expansion, whose smallest term is
// about e^(-2|z|): near 15 both hold to a few parts in 1e15 of J0's size.
constexpr Ext hankelReach = 15;

// J0(z) = sqrt(2 / (kPi z)) (P cos(z - kPi/4) - Q sin(z - kPi/4)) for large |z|
// and Re z >= 0, P and Q summed until their terms stop falling.
Complex hankelJ0(Complex z) {
    Complex p = 1, q = 0, term = 1;
    const Complex inv = 1.0L / z;
    Ext previous = std::numeric_limits<Ext>::infinity();
    for (int k = 1; k < 200; ++k) {
        // term = a_k / z^k with a_k = a_(k-1) (-(2k - 1)^2) / (8k); odd k go
        // into Q and even k into P, with the sign (-1)^(k/2) in both.
        term *= -static_cast<Ext>((2 * k - 1) * (2 * k - 1)) / (8 * k) * inv;
        const Ext size = std::abs(term);
        if (!(size < previous) || size < 1e-22L * std::abs(p))
            break;
        previous = size;
        if (k % 2 == 1)
            q += (k % 4 == 1 ? 1.0L : -1.0L) * term;
        else
            p += (k % 4 == 2 ? -1.0L : 1.0L) * term;
    }
    const Complex chi = z - (kPi / 4);
    return std::sqrt(kTwoOverPi / z) * (p * std::cos(chi) - q * std::sin(chi));
}

// sum of (-t)^k / (k!)^2 with t = z^2 / 4, to the last bit of its sum or of
// its largest term.
Complex seriesJ0(Complex w) {
    const Complex t = -w * w / 4.0L;
    Complex term = t;
    Complex sum = 1.0L + t;
    for (int k = 2; k <= 200 && std::norm(term) >= 1e-44L * std::max<Ext>(1, std::norm(sum)); ++k) {
        term = term * t / static_cast<Ext>(k * k);
        sum += term;
    }
    return sum;
}

// J0, even in z; I0(z) = J0(iz).
Complex besselJ0(Complex w) {
    if (w.real() < 0)
        w = -w;
    return std::abs(w) >= hankelReach ? hankelJ0(w) : seriesJ0(w);
}

} // namespace

void LnGamma_Cplx(Cplx* r, const Cplx* z) {
    store(r, lnGamma(Complex(z->Re, z->Im)));
}

void Gamma_Cplx(Cplx* r, const Cplx* z) {
    const Complex l = lnGamma(Complex(z->Re, z->Im));
    // Only results beyond the range of a double are infinite or zero; the
    // modulus decides, the angle only turns the result.
    if (l.real() > 709.8L) {
        *r = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
        return;
    }
    if (l.real() < -745.2L) {
        *r = {0, 0};
        return;
    }
    store(r, std::exp(l.real()) * Complex(std::cos(l.imag()), std::sin(l.imag())));
}

void BesselIO(Cplx* r, const Cplx* z) {
    store(r, besselJ0(Complex(-z->Im, z->Re)));
}

void BesselJO(Cplx* r, const Cplx* z) {
    store(r, besselJ0(Complex(z->Re, z->Im)));
}
