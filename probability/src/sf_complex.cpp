// Complex log-gamma and gamma, and the order-zero Bessel functions I0 and J0
// of complex argument.
#include "probability.h"
#include "sf_internal.h"

#include <cmath>
#include <limits>

namespace prob {
namespace {

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
        return {kNanExt, kNanExt};
    if (z.imag() == 0 && z.real() <= 0 && z.real() == std::trunc(z.real()))
        return {kInfExt, kInfExt};
    if (z.imag() < 0)
        return std::conj(lnGamma(std::conj(z)));
    if (z.real() < recurrenceFloor)
        return {kNanExt, kNanExt};
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

// sum of (sign t)^k / (k!)^2, with t = z^2 / 4
Complex besselSeries(const Cplx* z, Ext sign) {
    const Complex w(z->Re, z->Im);
    const Complex t = sign * w * w / 4.0L;
    Complex term = t;
    Complex sum = 1.0L + t;
    for (int k = 2; k <= 36 && std::norm(term) >= 1e-20L; ++k) {
        term = term * t / static_cast<Ext>(k * k);
        sum += term;
    }
    return sum;
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
    store(r, besselSeries(z, 1));
}

void BesselJO(Cplx* r, const Cplx* z) {
    store(r, besselSeries(z, -1));
}
