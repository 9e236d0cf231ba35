#!/usr/bin/env python3
"""Reference values of the complex elementary functions, 50 significant digits.

Writes complex.tsv beside this script: one line per call,
    name <TAB> Re(z) <TAB> Im(z) <TAB> Re(f(z)) <TAB> Im(f(z))
with the argument as exact hexadecimal doubles and the result parts as
50-digit decimals ("0"/"-0" for a zero part with its sign, "inf"/"-inf"
beyond the double range).

Signed zeros follow the conventions of C99 Annex G: a zero part of the
argument stands for the limit from its side, so on a branch cut the sign of
the zero picks the side. The script takes that limit literally, replacing
each zero by +-2^-3000 and reading results below 2^-2000 as zeros of that
sign (4500-bit arithmetic keeps that side). Poles and the logarithm's zero
are left out: the limit there depends on the direction. Run it again after changing the sweep: python3 complex.py
"""
import math
import os
import random

import mpmath as mp

mp.mp.prec = 4500
rng = random.Random(20261207)

SIDE = mp.mpf(2) ** -3000
ZERO_BELOW = mp.mpf(2) ** -2000
DOUBLE_OVERFLOW = mp.mpf(2) ** 1024 - mp.mpf(2) ** 970

VALUES = [0.0, -0.0, 1e-300, -1e-8, 0.5, -1.0, 1.0000000000000002, -2.0, 30.0, -1e300]

FUNCTIONS = {
    'Exp': mp.exp, 'Exp2': lambda z: mp.power(2, z), 'Exp10': lambda z: mp.power(10, z),
    'Ln': mp.log, 'Log2': lambda z: mp.log(z) / mp.log(2), 'Log10': lambda z: mp.log(z) / mp.log(10),
    'Sin': mp.sin, 'Cos': mp.cos, 'Tan': mp.tan, 'Cot': mp.cot, 'Sec': mp.sec, 'Csc': mp.csc,
    'Sinh': mp.sinh, 'Cosh': mp.cosh, 'Tanh': mp.tanh, 'Coth': mp.coth, 'Sech': mp.sech, 'Csch': mp.csch,
    'ArcSin': mp.asin, 'ArcCos': mp.acos, 'ArcTan': mp.atan,
    'ArcSinh': mp.asinh, 'ArcCosh': mp.acosh, 'ArcTanh': mp.atanh,
    'ArcSec': lambda z: mp.acos(1 / z), 'ArcCsc': lambda z: mp.asin(1 / z), 'ArcCot': lambda z: mp.atan(1 / z),
    'ArcSech': lambda z: mp.acosh(1 / z), 'ArcCsch': lambda z: mp.asinh(1 / z),
    'ArcCoth': lambda z: mp.atanh(1 / z),
}


def points():
    out = [(a, b) for a in VALUES for b in VALUES]
    # the branch points and the neighbourhoods of the cuts' ends
    out += [(1.0, 1e-20), (-1.0, -1e-20), (1e-20, 1.0), (-1e-20, -1.0), (0.9999999999999999, 0.0),
            (1.0, -0.0), (0.0, 1.0), (-0.0, -1.0), (0.0, 1.0000000000000002), (1e-10, 0.9999999999)]
    for _ in range(20):
        out.append((rng.choice((1, -1)) * math.exp(rng.uniform(-20, 6)),
                    rng.choice((1, -1)) * math.exp(rng.uniform(-20, 6))))
    return out


def side(x, other):
    """x, or for a zero the point just beside it (far enough beside a huge
    other part that its side survives the working precision)."""
    if x != 0:
        return mp.mpf(x)
    step = SIDE * max(1, abs(other))
    return -step if math.copysign(1, x) < 0 else step


def part(v):
    if mp.isnan(v):
        return 'nan'
    if abs(v) < ZERO_BELOW:
        return '-0' if v < 0 else '0'
    if abs(v) >= DOUBLE_OVERFLOW:
        return 'inf' if v > 0 else '-inf'
    return mp.nstr(v, 50, min_fixed=1, max_fixed=0)


def evaluate(f, a, b):
    """The two parts, or None at a singular point."""
    try:
        exact = mp.mpc(f(mp.mpc(a, b)))
        v = mp.mpc(f(mp.mpc(side(a, b), side(b, a))))
    except (ZeroDivisionError, ValueError):
        return None
    if not (mp.isfinite(exact.real) and mp.isfinite(exact.imag)):
        return None
    re, im = part(v.real), part(v.imag)
    # A part that is exactly zero at the exact argument is a zero, signed as
    # the limit says, however large the other part.
    if exact.real == 0:
        re = '-0' if v.real < 0 else '0'
    if exact.imag == 0:
        im = '-0' if v.imag < 0 else '0'
    return re, im


def main():
    lines = []
    for name, f in FUNCTIONS.items():
        for a, b in points():
            value = evaluate(f, a, b)
            if value is None:
                continue
            re, im = value
            lines.append(f'{name}\t{a.hex()}\t{b.hex()}\t{re}\t{im}')
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'complex.tsv')
    with open(out + '.tmp', 'w') as f:
        f.write('\n'.join(lines) + '\n')
    os.replace(out + '.tmp', out)


if __name__ == '__main__':
    main()
