#!/usr/bin/env python3
"""Coefficient tables of the error function, its inverses and the ln Gamma
series near 1 and 2, printed as C++ initialisers with their interval and the
largest relative error of the fit, measured on a dense grid at 40 digits.

The fits are Chebyshev interpolants (mpmath.chebyfit, near-minimax) in a
variable v (named in each title) or in v scaled to s in [-1, 1]; the printed
coefficients are those of the polynomial in that variable, highest first. Run:  python3 make_coefficients.py
"""
import mpmath as mp

mp.mp.dps = 40


def fit(name, f, lo, hi, degree, scaled=True):
    lo, hi = mp.mpf(lo), mp.mpf(hi)
    mid, half = (lo + hi) / 2, (hi - lo) / 2
    g = (lambda s: f(mid + half * s)) if scaled else f
    interval = [-1, 1] if scaled else [lo, hi]
    coeffs, _ = mp.chebyfit(g, interval, degree + 1, error=True)
    worst = 0
    for i in range(0, 2001):
        s = interval[0] + (interval[1] - interval[0]) * mp.mpf(i) / 2000
        v = mp.polyval(coeffs, s)
        ref = g(s)
        worst = max(worst, abs((v - ref) / ref))
    print(f"// {name}: Chebyshev fit of degree {degree} on [{mp.nstr(lo, 6)}, {mp.nstr(hi, 6)}]"
          f"{' in s = (v - ' + mp.nstr(mid, 8) + ') / ' + mp.nstr(half, 8) if scaled else ''};"
          f" largest relative error {mp.nstr(worst, 2)}")
    print("{" + ", ".join(mp.nstr(c, 25) + "L" for c in coeffs) + "}")
    return coeffs


def erf_small(t):  # erf(sqrt t) / sqrt t
    return mp.erf(mp.sqrt(t)) / mp.sqrt(t) if t > 0 else 2 / mp.sqrt(mp.pi)


def erfc_scaled(x):  # erfc(x) e^(x^2)
    return mp.erfc(x) * mp.exp(x * x)


def erfc_asymptotic(t):  # erfc(x) e^(x^2) x with t = 1 / x^2
    if t == 0:
        return 1 / mp.sqrt(mp.pi)
    x = 1 / mp.sqrt(t)
    return mp.erfc(x) * mp.exp(x * x) * x


def erfinv_small(t):  # erfinv(sqrt t) / sqrt t
    return mp.erfinv(mp.sqrt(t)) / mp.sqrt(t) if t > 0 else mp.sqrt(mp.pi) / 2


def erfcinv_of_w(w):  # the x with erfc(x) = e^(-w^2)
    target = -w * w
    return mp.findroot(lambda x: mp.log(mp.erfc(x)) - target, w)


if __name__ == "__main__":
    fit("erf(x) / x in t = x^2", erf_small, 0, 0.25, 11, scaled=False)
    for lo, hi, deg in [(0.5, 1, 15), (1, 2, 19)]:
        fit("erfc(x) e^(x^2)", erfc_scaled, lo, hi, deg)
    for lo, hi, deg in [(mp.mpf(1) / 16, mp.mpf(1) / 4, 21), (mp.mpf(1) / 64, mp.mpf(1) / 16, 15)]:
        fit("erfc(x) e^(x^2) x in t = 1 / x^2", erfc_asymptotic, lo, hi, deg)
    fit("erfc(x) e^(x^2) x in t = 1 / x^2", erfc_asymptotic, 0, mp.mpf(1) / 64, 11, scaled=False)
    fit("erfinv(y) / y in t = y^2", erfinv_small, 0, 0.25, 17, scaled=False)
    # Start values only: one Halley step on erfc takes them to full precision.
    for lo, hi, deg in [(0.8, 2, 10), (2, 4, 8), (4, 8, 8), (8, 28, 9)]:
        fit("erfcinv(e^(-w^2)) in w", erfcinv_of_w, lo, hi, deg)
    # ln Gamma(2 + e) = (1 - gamma) e + sum_{k >= 2} (-1)^k (zeta(k) - 1) / k e^k
    print("// ln Gamma(2 + e) / e, Taylor coefficients (-1)^k (zeta(k) - 1) / k, k = 1..26, highest first")
    cs = [1 - mp.euler] + [(-1) ** k * (mp.zeta(k) - 1) / k for k in range(2, 27)]
    print("{" + ", ".join(mp.nstr(c, 25) + "L" for c in reversed(cs)) + "}")
