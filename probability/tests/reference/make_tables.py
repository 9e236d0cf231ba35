#!/usr/bin/env python3
"""Reference values of the special functions and distributions at 50 digits.

Writes functions.tsv and distributions.tsv beside this script. Each line is
    name <TAB> argument ... <TAB> value
with the arguments as the exact doubles the tests pass (shortest round-trip
form) and the value the mathematically exact result of those doubles,
rounded to 50 significant digits. The sweeps go to the edges: tails,
shape parameters up to 1e6, inverses near 0 and 1, the zeros of ln Gamma.

Run with Debian's python3-mpmath:  python3 make_tables.py
"""
import math
import os

import mpmath as mp

mp.mp.dps = 60
HERE = os.path.dirname(os.path.abspath(__file__))
TINY = mp.mpf("1e-300")  # below this a double result is no longer normal


def text(v):
    if isinstance(v, (int,)) and not isinstance(v, bool):
        return str(v)
    v = mp.mpf(v)
    if mp.isinf(v):
        return "inf" if v > 0 else "-inf"
    if mp.isnan(v):
        return "nan"
    return mp.nstr(v, 50, min_fixed=1, max_fixed=0)


def arg(v):
    return str(v) if isinstance(v, int) else repr(float(v))


class Table:
    def __init__(self, name):
        self.path = os.path.join(HERE, name)
        self.lines = []

    def row(self, name, args, *values):
        self.lines.append("\t".join([name] + [arg(a) for a in args] + [text(v) for v in values]))

    def write(self):
        with open(self.path + ".tmp", "w") as f:
            f.write("\n".join(self.lines) + "\n")
        os.replace(self.path + ".tmp", self.path)
        print(self.path, len(self.lines), "rows")


def representable(v):
    v = abs(mp.mpf(v))
    return v == 0 or (TINY <= v <= mp.mpf("1e308"))


# ---- regularised incomplete beta, by its continued fraction at 60 digits
def beta_fraction(a, b, x):
    tiny = mp.mpf("1e-400")
    c, d = mp.mpf(1), 1 - (a + b) * x / (a + 1)
    d = 1 / (d if abs(d) > tiny else tiny)
    h = d
    for m in range(1, 10**7):
        aa = m * (b - m) * x / ((a - 1 + 2 * m) * (a + 2 * m))
        d = 1 + aa * d
        d = 1 / (d if abs(d) > tiny else tiny)
        c = 1 + aa / c
        c = c if abs(c) > tiny else tiny
        h *= d * c
        aa = -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 1 + 2 * m))
        d = 1 + aa * d
        d = 1 / (d if abs(d) > tiny else tiny)
        c = 1 + aa / c
        c = c if abs(c) > tiny else tiny
        delta = d * c
        h *= delta
        if abs(delta - 1) < mp.mpf("1e-58"):
            return h
    raise RuntimeError("beta fraction")


def ibeta(a, b, x, upper=False):
    """I_x(a, b), or 1 - I_x(a, b) when upper, without forming the difference."""
    a, b, x = mp.mpf(a), mp.mpf(b), mp.mpf(x)
    if x <= 0:
        return mp.mpf(1 if upper else 0)
    if x >= 1:
        return mp.mpf(0 if upper else 1)
    lnf = a * mp.log(x) + b * mp.log1p(-x) - (mp.loggamma(a) + mp.loggamma(b) - mp.loggamma(a + b))
    if x < (a + 1) / (a + b + 2):
        low = mp.exp(lnf) * beta_fraction(a, b, x) / a
        return 1 - low if upper else low
    high = mp.exp(lnf) * beta_fraction(b, a, 1 - x) / b
    return high if upper else 1 - high


def gamma_tails(a, x):
    """(P(a, x), Q(a, x)): the positive series of P below a + 1, the
    continued fraction of Q above, each at 60 digits; mpmath's own gammainc
    gives up on shape parameters of a million and more."""
    a, x = mp.mpf(a), mp.mpf(x)
    if a < 1000:
        return mp.gammainc(a, 0, x, regularized=True), mp.gammainc(a, x, mp.inf, regularized=True)
    lnf = a * mp.log(x) - x - mp.loggamma(a)
    if x < a + 1:
        term = total = 1 / a
        n = a
        while term > total * mp.mpf("1e-58"):
            n += 1
            term *= x / n
            total += term
        p = total * mp.exp(lnf)
        return p, 1 - p
    tiny = mp.mpf("1e-400")
    b = x + 1 - a
    c, d = 1 / tiny, 1 / b
    h = d
    i = 0
    while True:
        i += 1
        an = -i * (i - a)
        b += 2
        d = an * d + b
        d = 1 / (d if abs(d) > tiny else tiny)
        c = b + an / c
        c = c if abs(c) > tiny else tiny
        delta = d * c
        h *= delta
        if abs(delta - 1) < mp.mpf("1e-58"):
            break
    q = mp.exp(lnf) * h
    return 1 - q, q


def complex_gamma_tails(a, z):
    """(P(a, z), Q(a, z)) for complex z on the principal branch of z^a:
    P = z^a / Gamma(a + 1) M(a, a + 1, -z), at 130 digits so that Q = 1 - P
    keeps 60 (mpmath's own gammainc fails to converge at some of these z;
    where it answers, the two agree to 1e-61)."""
    with mp.workdps(130):
        a, z = mp.mpf(a), mp.mpc(z)
        p = z**a / mp.gamma(a + 1) * mp.hyp1f1(a, a + 1, -z)
        return +p, +(1 - p)


def pgamma(a, x):
    return gamma_tails(a, x)[0]


def qgamma(a, x):
    return gamma_tails(a, x)[1]


def root(f, target, lo, hi):
    """The x in [lo, hi] with f(x) = target for increasing f, by bisection
    (geometric while the ends differ by more than a factor 4), or None when
    the root lies below 1e-4000, far beyond every double."""
    lo, hi = mp.mpf(lo), mp.mpf(hi)
    if lo == 0:
        lo = mp.mpf("1e-4000")
        if f(lo) >= target:
            return None
    for _ in range(2000):
        mid = (lo + hi) / 2 if (lo <= 0 or hi / lo < 4) else mp.sqrt(lo * hi)
        if f(mid) < target:
            lo = mid
        else:
            hi = mid
        if hi - lo <= abs(hi) * mp.mpf("1e-55"):
            break
    return (lo + hi) / 2


def representable_root(x):
    return x is not None and representable(x)


def special():
    t = Table("functions.tsv")
    # Gamma over its double range, negative non-integers, tiny arguments
    gs = [10 ** (k / 20) for k in range(-60, 45)] + [0.5, 1, 2, 3, 5, 12.5, 13.5, 33.7, 100.25, 170.5, 171.6]
    gs += [1e-300, 1e-20, 1e-8, 3e-2, 0.03125, 0.04]
    negs = [-(k * 1.37 + 0.11) for k in range(0, 125)] + [-0.5, -1e-8, -1 + 1e-9, -2 - 1e-12]
    for x in gs + negs:
        if x <= 0 and x == int(x):
            continue
        v = mp.gamma(x)
        if representable(v):
            t.row("Gamma", [x], v)
    # ln|Gamma|: its zeros at 1 and 2 from both sides, large and negative arguments
    near = [1 + s * 2.0 ** -k for s in (1, -1) for k in range(1, 60, 2)]
    near += [2 + s * 2.0 ** -k for s in (1, -1) for k in range(1, 60, 2)]
    near += [0.75 + k / 100 for k in range(0, 160, 3)]
    large = [13, 34, 34.5, 171.5, 1e3, 1e5, 1e10, 1e15, 1e100, 1e300, 2.5e305]
    lnegs = [-(k * 3.77 + 0.3) for k in range(0, 60)] + [-1000.5, -1e5 - 0.25, -1e10 - 0.5]
    for x in gs + near + large + lnegs:
        if x <= 0 and x == int(x):
            continue
        t.row("LnGamma", [x], mp.log(abs(mp.gamma(x))) if abs(x) < 1e4 else mp.re(mp.loggamma(x)))
    # Beta, including very unequal and very large arguments
    grid = [1e-3, 0.3, 1, 2.5, 7, 20, 60, 150, 1e3, 1e4, 1e5, 1e6]
    pairs = [(a, b) for i, a in enumerate(grid) for b in grid[i:]] + [(-0.5, 0.7), (-2.3, 1.1), (-10.5, 3.25)]
    for a, b in pairs:
        v = mp.beta(a, b)
        if representable(v):
            t.row("Beta", [a, b], v)
    # Binomial coefficients up to the double range
    for n in [10, 30, 60, 100, 200, 500, 1000, 1029, 3000, 10000, 100000, 10**6, 10**8, 2**31 - 1]:
        for k in sorted({2, 3, 5, 10, 20, 50, 100, 400, n // 3, n // 2, n - 7}):
            if 0 < k <= n:
                v = mp.binomial(n, k)
                if v < mp.mpf("1.7e308"):
                    t.row("Binomial", [n, k], v)
    # Erf, Erfc to the end of the double range, ErfInv to +-1
    small = [1e-300, 1e-100, 1e-20, 1e-8, 1e-4, 0.01, 0.1]
    xs = small + [-v for v in small] + [k / 20 + 1e-7 * (k % 7) for k in range(-120, 121)]
    for x in xs:
        t.row("Erf", [x], mp.erf(x))
    for x in [k / 8 + 1e-7 * (k % 5) for k in range(-48, 220)] + [26.5, 27, 27.2] + small:
        v = mp.erfc(x)
        if representable(v):
            t.row("Erfc", [x], v)
    ys = small + [k / 100 for k in range(1, 100)] + [1 - 10.0 ** -k for k in range(2, 16)] + [1 - 2.0**-53, 0.5]
    for y in ys + [-y for y in ys]:
        t.row("ErfInv", [y], mp.erfinv(y))
    # Regularised incomplete gamma P and Q, shape parameters up to 1e6,
    # arguments spread by standard deviations around the mean and into the tails
    for a in [0.01, 0.1, 0.5, 1, 2.5, 10, 37.5, 100, 1e3, 1e4, 1e5, 1e6]:
        xs = {a * f for f in (1e-3, 0.1, 0.5, 2, 10)} | {a + 1, max(a - 1, a / 2)}
        xs |= {a * (1 + s / math.sqrt(a)) for s in (-40, -20, -10, -5, -2, -1, -0.3, 0, 0.3, 1, 2, 5, 10, 20, 40)}
        for x in sorted(v for v in xs if v > 0):
            p, q = gamma_tails(a, x)
            if representable(p):
                t.row("IGamma", [a, x], p)
                t.row("GammaSer", [a, x], p)
            if representable(q):
                t.row("JGamma", [a, x], q)
                t.row("GammaFrac", [a, x], q)
    # Regularised incomplete beta, around the mean and in the tails
    shapes = [0.1, 0.5, 1, 3.5, 10, 50, 300, 1e4, 1e6]
    for a in shapes:
        for b in shapes:
            m = a / (a + b)
            sd = math.sqrt(a * b / ((a + b) ** 2 * (a + b + 1)))
            xs = {m + s * sd for s in (-30, -10, -4, -1, 0, 1, 4, 10, 30)} | {1e-10, 1e-3, 0.5, 0.999}
            for x in sorted(v for v in xs if 0 < v < 1):
                v = ibeta(a, b, x)
                if representable(v):
                    t.row("BetaIncomplete", [x, a, b], v)
    # One large shape beside a small one, the variable within u / (large
    # shape) of the large shape's end, and the mirror (checked against
    # mpmath's own betainc on a sample)
    for g in [1e3, 1e4, 1e5, 1e6]:
        for c in [0.1, 0.5, 3.5, 9]:
            for u in [0.1, 1, 5, 10, 30, 100]:
                w = u / g
                for x, a, b in [(1 - w, g, c), (w, c, g)]:
                    v = ibeta(a, b, x)
                    if representable(v):
                        t.row("BetaIncomplete", [x, a, b], v)
    # P(a, z) and Q(a, z) of a real shape and a complex argument: every
    # quadrant, beside and on the negative real axis (a zero imaginary part
    # is that side of the cut: P(a, conj z) = conj P(a, z)), |z| from 0.01 to 60
    for a in [0.1, 0.5, 1, 2.5, 10, 37.5, 100]:
        for r in sorted({0.01, 0.5, 1.0, 2.0, 5.0, 20.0, 60.0, a / 2, a, 1.5 * a}):
            for k in range(-6, 7):
                z = mp.mpc(r * math.cos(k * math.pi / 6), r * math.sin(k * math.pi / 6))
                if k in (-6, 6):
                    z = mp.mpc(-r, 0.0)
                p, q = complex_gamma_tails(a, z)
                im = -0.0 if k == -6 else float(z.imag)
                if k == -6:
                    p, q = mp.conj(p), mp.conj(q)
                for name, v in [("GammaSer_Cplx", p), ("GammaFrac_Cplx", q)]:
                    if representable(abs(v)):
                        t.row(name, [a, float(z.real), im], mp.re(v), mp.im(v))
    # J0 of real and complex arguments, beyond the reach of its power series
    for k in range(0, 80):
        z = k * 0.77 + 0.013
        v = mp.besselj(0, z)
        t.row("BesselJO", [z, 0.0], mp.re(v), mp.im(v))
    for re, im in [(3, 4), (-20, 5), (30, 0.5), (0.5, 30), (45, -10), (-12.5, -2), (60, 60), (100, 1)]:
        v = mp.besselj(0, mp.mpc(re, im))
        t.row("BesselJO", [float(re), float(im)], mp.re(v), mp.im(v))
        w = mp.besseli(0, mp.mpc(re, im))
        t.row("BesselIO", [float(re), float(im)], mp.re(w), mp.im(w))
    t.write()


def distributions():
    t = Table("distributions.tsv")
    ncdf = lambda x: mp.ncdf(x)
    for x in [k / 4 for k in range(-154, 34)] + [-38.4, 0.1, -1e-10]:
        t.row("NormalCDF", [x, 0.0, 1.0], ncdf(x))
    t.row("NormalCDF", [3.5, 1.0, 2.0], ncdf(1.25))
    for x in [k / 2 for k in range(-76, 77)]:
        v = mp.npdf(x)
        if representable(v):
            t.row("NormalPDF", [x, 0.0, 1.0], v)
    ps = [1e-300, 1e-100, 1e-20, 2e-20, 1e-10, 1e-5, 0.001] + [k / 40 for k in range(1, 40)]
    ps += [1 - 1e-5, 1 - 1e-10, 1 - 2.0**-53]
    for p in ps:
        x = root(ncdf, p, -40, 10) if p != 0.5 else mp.mpf(0)
        t.row("NormalCDFInv", [p, 0.0, 1.0], x)
    # Student t, both tails
    def student(x, nu):
        x, nu = mp.mpf(x), mp.mpf(nu)
        if nu == 1:
            return mp.atan2(1, -x) / mp.pi if x < 0 else mp.atan(x) / mp.pi + mp.mpf(0.5)
        w = nu / (nu + x * x)
        half = ibeta(nu / 2, mp.mpf(0.5), w) / 2
        return half if x < 0 else 1 - half
    for nu in [1, 2, 5, 30, 1000]:
        for x in [-1e20, -1e10, -1e3, -30, -5, -1, -0.1, 0.1, 1, 5, 30, 1e3, 1e10]:
            v = student(x, nu)
            if representable(v):
                t.row("StudentCDF", [x, nu], v)
            d = mp.exp(mp.loggamma((nu + 1) / mp.mpf(2)) - mp.loggamma(nu / mp.mpf(2))) / mp.sqrt(nu * mp.pi) * (
                1 + mp.mpf(x) ** 2 / nu) ** (-(nu + 1) / mp.mpf(2))
            if representable(d):
                t.row("StudentPDF", [x, nu], d)
    for nu in [2, 5, 30, 1000]:
        for p in [1e-100, 1e-20, 1e-5, 0.01, 0.3, 0.7, 0.99, 1 - 1e-10]:
            x = root(lambda v: student(v, nu), p, -1e60, 1e60)
            t.row("StudentCDFInv", [p, nu], x)
    # F
    def fcdf(x, n1, n2):
        return ibeta(mp.mpf(n1) / 2, mp.mpf(n2) / 2, n1 * mp.mpf(x) / (n1 * mp.mpf(x) + n2))
    for n1, n2 in [(1, 1), (3, 7), (30, 30), (1000, 1000), (5, 10000)]:
        for x in [0.01, 0.1, 0.5, 1, 2, 10, 100]:
            v = fcdf(x, n1, n2)
            if representable(v):
                t.row("FCDF", [x, n1, n2], v)
        for p in [1e-100, 1e-10, 0.01, 0.5, 0.99, 1 - 1e-12]:
            x = root(lambda v: fcdf(v, n1, n2), p, 0, 1e300)
            if representable_root(x):
                t.row("FCDFInv", [p, n1, n2], x)
    # Binomial, both tails
    for n, p in [(10, 0.3), (1000, 0.5), (1000, 0.01), (100000, 0.9)]:
        sd = math.sqrt(n * p * (1 - p))
        for k in sorted({0, 1, n // 3, int(n * p - 10 * sd), int(n * p - 3 * sd), int(n * p), int(n * p + 3 * sd),
                         int(n * p + 10 * sd), n - 1}):
            if 0 < k < n:
                v = ibeta(n - k, k + 1, 1 - mp.mpf(p))
                if representable(v):
                    t.row("BinomCDF", [float(k), n, p], v)
    # Gamma law
    for a in [0.01, 0.5, 3.5, 100, 1e5]:
        for b in [1.0, 2.5]:
            for p in [1e-100, 1e-20, 1e-5, 0.3, 0.5, 0.9, 1 - 1e-10]:
                x = root(lambda v: pgamma(a, v / b), p, 0, 1e7)
                if representable_root(x):
                    t.row("GammaCDFInv", [p, a, b], x)
            for x in [a * b * f for f in (1e-3, 0.5, 1, 2, 10)]:
                v = pgamma(a, mp.mpf(x) / b)
                if representable(v):
                    t.row("GammaCDF", [x, a, b], v)
                d = mp.exp((a - 1) * mp.log(x) - mp.mpf(x) / b - mp.loggamma(a) - a * mp.log(b))
                if representable(d):
                    t.row("GammaPDF", [x, a, b], d)
    # Beta law
    for a, b in [(1, 1), (0.5, 0.5), (2, 3), (30, 0.5), (1e3, 1e3), (0.01, 5), (1e5, 2e5)]:
        for p in [1e-100, 1e-20, 1e-5, 0.3, 0.5, 0.9, 1 - 1e-10]:
            x = root(lambda v: ibeta(a, b, v), p, 0, 1)
            if representable_root(x) and x < 1:
                t.row("BetaCDFInv", [p, a, b], x)
        m = a / (a + b)
        for x in [m / 100, m / 2, m, (1 + m) / 2, 1 - (1 - m) / 100]:
            d = mp.exp((a - 1) * mp.log(x) + (b - 1) * mp.log1p(-x) - mp.log(mp.beta(a, b)))
            if representable(d):
                t.row("BetaPDF", [x, a, b], d)
            v = ibeta(a, b, x)
            if representable(v):
                t.row("BetaCDF", [x, a, b], v)
    # Chi-square and Maxwell inverses through the gamma inverse
    for nu in [1, 4, 100]:
        for p in [1e-20, 0.01, 0.5, 0.99]:
            x = root(lambda v: pgamma(mp.mpf(nu) / 2, v / 2), p, 0, 1e4)
            t.row("ChiSquareDDFInv", [p, nu], x)
    for q in [1e-20, 0.01, 0.5, 0.99]:
        x = root(lambda v: pgamma(mp.mpf(1.5), v * v / 2), q, 0, 100)
        t.row("MaxwellCDFInv", [q, 1.0], x)
    # Poisson: Q(k + 1, l), with very large means
    for k, l in [(1e9, 1e9), (5, 100), (150, 100), (1e5 + 1e3, 1e5), (1e5 - 2e3, 1e5), (30, 2)]:
        v = qgamma(k + 1, l)
        if representable(v):
            t.row("PoissonCDF", [float(k), float(l)], v)
    # Cauchy far tails
    for x in [-1e300, -1e20, -1e5, -3, 3, 1e5]:
        x = mp.mpf(x)
        t.row("CauchyCDF", [float(x), 1.0, 0.0], mp.atan2(1, -x) / mp.pi if x < 0 else mp.atan(x) / mp.pi + 0.5)
    t.write()


if __name__ == "__main__":
    special()
    distributions()
