#!/usr/bin/env python3
"""Reference values of the real elementary functions, 50 significant digits.

Writes elementary.tsv beside this script: one line per call,
    name <TAB> argument(s) as exact hexadecimal doubles <TAB> expected value
where the expected value is the true result to 50 digits, or "nan"/"inf"/"-inf"
when the function has no finite answer there. Run it again after changing the
sweeps: python3 elementary.py
"""
import math
import os
import random

import mpmath as mp

mp.mp.prec = 1500  # every double's angle modulo pi/2 resolved, with room to spare

rng = random.Random(20261207)

# The smallest magnitude that rounds to infinity in double precision.
DOUBLE_OVERFLOW = mp.mpf(2) ** 1024 - mp.mpf(2) ** 970


def near(x, steps=3):
    """x and its neighbours, `steps` doubles either side."""
    out = [x]
    up = down = x
    for _ in range(steps):
        up = math.nextafter(up, math.inf)
        down = math.nextafter(down, -math.inf)
        out += [up, down]
    return out


def log_spread(lo, hi, count, signs=(1,)):
    out = []
    for i in range(count):
        m = math.exp(math.log(lo) + (math.log(hi) - math.log(lo)) * rng.random())
        out.append(rng.choice(signs) * m)
    return out


TINY = [5e-324, -5e-324, 2.2250738585072014e-308, 1e-300, -1e-200, 1e-20, -3e-10, 0.0, -0.0]
HUGE = [1.7976931348623157e308, -1.7976931348623157e308, 1e300, 2.0 ** 1023, 1e22, 2.0 ** 63, 2.0 ** 64,
        2.0 ** 32, 2.0 ** 32 - 1, 4294967296.5, 1e19]
# Doubles closest to multiples of pi/2: the hardest cases of the reduction
# (the first is the closest of all doubles, 6381956970095103 2^797).
CLOSE = [6381956970095103 * 2.0 ** 797, 8.0e307,
         1.5707963267948966, 3.141592653589793, 4.71238898038469, 6.283185307179586,
         355.0, 103993.0, 833719.0, 1.0e8 * math.pi, 2.0 ** 52 * math.pi]


def multiples_of_half_pi():
    out = []
    for k in [1, 2, 3, 4, 7, 100, 1000, 65536, 10 ** 6, 10 ** 9, 10 ** 12, 10 ** 15]:
        out += near(float(mp.mpf(k) * mp.pi / 2), 1)
    return out


def trig_arguments():
    return (TINY + HUGE + CLOSE + multiples_of_half_pi() + near(0.7853981633974483, 1)
            + log_spread(1e-8, 1e3, 40, (1, -1)) + log_spread(1e3, 1e308, 60, (1, -1)))


def unit_arguments():
    """Arguments of the functions whose domain is [-1, 1] or whose poles are +-1."""
    return (TINY + near(1.0, 3) + near(-1.0, 3) + near(0.5, 1) + [1 - 2.0 ** -30, -1 + 2.0 ** -40, 0.999999, -0.9]
            + log_spread(1e-12, 1, 40, (1, -1)) + [1.5, -2.0, 1e10, float('inf'), -float('inf')])


def beyond_one():
    return (near(1.0, 3) + near(-1.0, 3) + [1 + 2.0 ** -30, -1 - 2.0 ** -40, 1.000001, 0.5, -0.5, 0.0, -0.0]
            + log_spread(1, 1e300, 40, (1, -1)) + [1.7976931348623157e308, float('inf'), -float('inf')])


def wide():
    return TINY + log_spread(1e-300, 1e300, 50, (1, -1)) + [1.0, -1.0, float('inf'), -float('inf'), 1e-8, 0.3]


def hyperbolic_arguments():
    return (TINY + log_spread(1e-10, 700, 40, (1, -1)) + [709.0, -709.0, 710.0, 11000.0, -11000.0, 20000.0,
                                                          -20000.0, 1e300, float('inf'), -float('inf')])


def guarded(f):
    def call(*a):
        try:
            return f(*a)
        except (ValueError, ZeroDivisionError):
            return None
    return call


def real(v):
    """The reference for a real result; None (no real answer) becomes nan."""
    if v is None:
        return 'nan'
    if isinstance(v, mp.mpc):
        if v.imag != 0:
            return 'nan'
        v = v.real
    if mp.isinf(v):
        return 'inf' if v > 0 else '-inf'
    if mp.isnan(v):
        return 'nan'
    if abs(v) >= DOUBLE_OVERFLOW:
        return 'inf' if v > 0 else '-inf'
    return mp.nstr(v, 50, min_fixed=1, max_fixed=0) if v != 0 else ('-0' if str(v).startswith('-') else '0')


def inf_aware(f, at_inf):
    """f, with its limits at the infinities given explicitly."""
    def call(x):
        if math.isinf(x):
            return at_inf(x)
        return f(mp.mpf(x))
    return call


def sign(x):
    return -1 if math.copysign(1, x) < 0 else 1


def fix_angle(x):
    if math.isinf(x) or math.isnan(x):
        return None
    t = mp.mpf(x)
    return t - 2 * mp.pi * mp.nint(t / (2 * mp.pi))


def rem(a, b):
    if b == 0 or math.isinf(a):
        return None
    if math.isinf(b):
        return mp.mpf(a)
    return mp.mpf(math.remainder(a, b))  # exact: the remainder is representable


def arccoth(x):
    if abs(x) < 1:
        return None
    if abs(x) == 1:
        return mp.inf * sign(x)
    if math.isinf(x):
        return mp.mpf(0) * sign(x)
    return mp.acoth(mp.mpf(x))


def arcsech(x):
    if x == 0 and sign(x) > 0:
        return mp.inf
    if x <= 0 or x > 1:
        return None
    return mp.asech(mp.mpf(x))


def arccsch(x):
    if x == 0:
        return mp.inf * sign(x)
    if math.isinf(x):
        return mp.mpf(0)
    return mp.acsch(mp.mpf(x))


def arcsec(x):
    if abs(x) < 1:
        return None
    if math.isinf(x):
        return mp.pi / 2
    return mp.asec(mp.mpf(x))


def arccsc(x):
    if abs(x) < 1:
        return None
    if math.isinf(x):
        return mp.mpf(0)
    return mp.acsc(mp.mpf(x))


def atanh(x):
    if abs(x) > 1:
        return None
    if abs(x) == 1:
        return mp.inf * sign(x)
    return mp.atanh(mp.mpf(x))


def acosh(x):
    if x < 1:
        return None
    return mp.inf if math.isinf(x) else mp.acosh(mp.mpf(x))


def csch(x):
    if x == 0:
        return mp.inf * sign(x)
    if math.isinf(x):
        return mp.mpf(0)
    return mp.csch(mp.mpf(x))


def trig(f):
    return lambda x: None if math.isinf(x) else f(mp.mpf(x))


def reciprocal_trig(f):
    return lambda x: None if math.isinf(x) else (mp.inf * sign(x) if x == 0 else f(mp.mpf(x)))


UNARY = [
    ('Sin', trig(mp.sin), trig_arguments),
    ('Cos', trig(mp.cos), trig_arguments),
    ('Tan', trig(mp.tan), trig_arguments),
    ('Sec', trig(mp.sec), trig_arguments),
    ('Csc', reciprocal_trig(mp.csc), trig_arguments),
    ('Cot', reciprocal_trig(mp.cot), trig_arguments),
    ('FixAngle', fix_angle, trig_arguments),
    ('ArcTanh', atanh, unit_arguments),
    ('ArcCoth', arccoth, beyond_one),
    ('ArcSec', arcsec, beyond_one),
    ('ArcCsc', arccsc, beyond_one),
    ('ArcSech', arcsech, unit_arguments),
    ('ArcCsch', arccsch, wide),
    ('ArcSinh', inf_aware(mp.asinh, lambda x: mp.inf * sign(x)), wide),
    ('ArcCosh', acosh, beyond_one),
    ('ArcSin', guarded(lambda x: real(mp.asin(mp.mpf(x))) if abs(x) <= 1 else None), unit_arguments),
    ('ArcTan', inf_aware(mp.atan, lambda x: sign(x) * mp.pi / 2), wide),
    ('Sinh', inf_aware(mp.sinh, lambda x: mp.inf * sign(x)), hyperbolic_arguments),
    ('Cosh', inf_aware(mp.cosh, lambda x: mp.inf), hyperbolic_arguments),
    ('Tanh', inf_aware(mp.tanh, lambda x: mp.mpf(sign(x))), hyperbolic_arguments),
    ('Csch', csch, hyperbolic_arguments),
    ('Sech', inf_aware(mp.sech, lambda x: mp.mpf(0)), hyperbolic_arguments),
]


def main():
    lines = []
    for name, f, arguments in UNARY:
        for x in arguments():
            v = f(x)
            lines.append(f'{name}\t{x.hex()}\t{v if isinstance(v, str) else real(v)}')
    pairs = [(5.0, 2.0), (-5.0, 2.0), (7.0, 2.0), (1e300, 3.0), (1e22, math.pi), (-0.0, 1.0), (1.0, 0.0),
             (float('inf'), 1.0), (3.0, float('inf')), (5e-324, 3e-324), (1.7976931348623157e308, 1e-300)]
    for a, b in pairs + [(rng.uniform(-1e6, 1e6), rng.uniform(-100, 100)) for _ in range(20)]:
        lines.append(f'Rem\t{a.hex()}\t{b.hex()}\t{real(rem(a, b))}')
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'elementary.tsv')
    with open(out + '.tmp', 'w') as f:
        f.write('\n'.join(lines) + '\n')
    os.replace(out + '.tmp', out)


if __name__ == '__main__':
    main()
