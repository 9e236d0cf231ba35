#!/usr/bin/env python3
"""Coefficient tables of the error function, its inverses and the ln Gamma
series near 1 and 2, printed as C++ initialisers with their interval and the
largest relative error of the fit, measured on a dense grid at 40 digits.

The fits are Chebyshev interpolants (mpmath.chebyfit, near-minimax) in a
variable v (named in each title) or in v scaled to s in [-1, 1]; the printed
coefficients are those of the polynomial in that variable, highest first. Run:  python3 make_coefficients.py
"""
import mpmath as mp

mp.mp.dps = 50


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


def ratfit(name, f, lo, hi, n, m, points=120, rounds=6):
    """A rational fit P(s)/Q(s), Q(0) = 1, in s scaled to [-1, 1], of degrees
    n and m, by linearised least squares on the relative error at Chebyshev
    points, reweighted by the last denominator (Loeb's iteration), which
    comes close to the minimax fit."""
    lo, hi = mp.mpf(lo), mp.mpf(hi)
    mid, half = (lo + hi) / 2, (hi - lo) / 2
    ss = [mp.cos(mp.pi * (k + mp.mpf(0.5)) / points) for k in range(points)]
    fs = [f(mid + half * s) for s in ss]
    q = [mp.mpf(1)] * points
    for _ in range(rounds):
        a, b = mp.matrix(points, n + 1 + m), mp.matrix(points, 1)
        for i, (s, fv) in enumerate(zip(ss, fs)):
            weight = 1 / (q[i] * fv)
            for j in range(n + 1):
                a[i, j] = s**j * weight
            for j in range(1, m + 1):
                a[i, n + j] = -fv * s**j * weight
            b[i] = fv * weight
        c, _ = mp.qr_solve(a, b)
        num = [c[j] for j in range(n + 1)]
        den = [mp.mpf(1)] + [c[n + j] for j in range(1, m + 1)]
        q = [mp.polyval(den[::-1], s) for s in ss]
    worst = 0
    for k in range(401):
        s = -1 + mp.mpf(k) / 200
        fv = f(mid + half * s)
        worst = max(worst, abs((mp.polyval(num[::-1], s) / mp.polyval(den[::-1], s) - fv) / fv))
    print(f"// {name}: rational fit of degrees {n}/{m} on [{mp.nstr(lo, 6)}, {mp.nstr(hi, 6)}]"
          f" in s = (v - {mp.nstr(mid, 8)}) / {mp.nstr(half, 8)}; largest relative error {mp.nstr(worst, 2)}")
    print("{" + ", ".join(mp.nstr(c, 25) + "L" for c in reversed(num)) + "}")
    print("{" + ", ".join(mp.nstr(c, 25) + "L" for c in reversed(den)) + "}")


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
    start = w - mp.log(mp.sqrt(mp.pi) * w) / (2 * w) if w > 1.5 else w * 0.8
    return mp.findroot(lambda x: mp.log(mp.erfc(x)) + w * w, start)


if __name__ == "__main__":
    fit("erf(x) / x in t = x^2", erf_small, 0, 0.25, 11, scaled=False)
    for lo, hi, deg in [(0.5, 1, 15), (1, 2, 19)]:
        fit("erfc(x) e^(x^2)", erfc_scaled, lo, hi, deg)
    for lo, hi, deg in [(mp.mpf(1) / 16, mp.mpf(1) / 4, 21), (mp.mpf(1) / 64, mp.mpf(1) / 16, 15)]:
        fit("erfc(x) e^(x^2) x in t = 1 / x^2", erfc_asymptotic, lo, hi, deg)
    fit("erfc(x) e^(x^2) x in t = 1 / x^2", erfc_asymptotic, 0, mp.mpf(1) / 64, 11, scaled=False)
    ratfit("erfinv(y) / y in t = y^2", erfinv_small, 0, 0.64, 8, 8)
    for lo, hi in [(0.8, 2), (2, 4), (4, 8), (8, 28)]:
        ratfit("erfcinv(e^(-w^2)) in v = w", erfcinv_of_w, lo, hi, 9, 9)
    # ln Gamma(2 + e) = (1 - gamma) e + sum_{k >= 2} (-1)^k (zeta(k) - 1) / k e^k
    print("// ln Gamma(2 + e) / e, Taylor coefficients (-1)^k (zeta(k) - 1) / k, k = 1..26, highest first")
    cs = [1 - mp.euler] + [(-1) ** k * (mp.zeta(k) - 1) / k for k in range(2, 27)]
    print("{" + ", ".join(mp.nstr(c, 25) + "L" for c in reversed(cs)) + "}")
