#!/usr/bin/env python3
"""The editor's tables computed apart from the C++ code, for LutCurveTest.cpp.

Written from the editor's rules alone: a natural cubic spline with unit spacing through the x and
through the y values (t = k at point k), sampled from t = 0 in steps of 0.002 (a running sum) while
t <= n, the last segment going on past the last point; for each entry the first sample that beats the
running best distance |16·X - input|, kept as a truncated integer from 999999 on; the output
(256 - Y)·16 truncated and limited to 0..4095. With --exact it also redoes every case in rational
arithmetic, to show that no table depends on how the floating-point sums are rounded.

    python3 tests/lut/reference_tables.py [--exact] > /tmp/tables.txt
"""
import math
import sys
from fractions import Fraction

CASES = {
    "TwoCorners": [(0, 256), (256, 0)],
    "Overshoot": [(0, 256), (40, 256), (80, 0), (256, 0)],
    "XTurnsBack": [(0, 256), (120, 150), (125, 100), (256, 0)],
    "SixteenPoints": [(0, 256), (17, 185), (34, 152), (51, 128), (68, 108), (85, 91), (102, 76), (119, 62),
                      (136, 49), (153, 38), (170, 27), (187, 17), (204, 8), (221, 0), (238, 0), (256, 0)],
}
INPUT = [16 * i for i in range(255)] + [4095]


def spline(values, number):
    a = [number(v) for v in values]
    m = len(a) - 1
    c = [number(0)] * (m + 1)
    if m >= 2:
        diag = [number(4)] * (m + 1)
        rhs = [number(0)] * (m + 1)
        for j in range(1, m):
            rhs[j] = 3 * (a[j - 1] - 2 * a[j] + a[j + 1])
        for j in range(2, m):
            w = 1 / diag[j - 1]
            diag[j] -= w
            rhs[j] -= w * rhs[j - 1]
        c[m - 1] = rhs[m - 1] / diag[m - 1]
        for j in range(m - 2, 0, -1):
            c[j] = (rhs[j] - c[j + 1]) / diag[j]
    b = [(a[j + 1] - a[j]) - (2 * c[j] + c[j + 1]) / 3 for j in range(m)]
    d = [(c[j + 1] - c[j]) / 3 for j in range(m)]

    def at(t):
        j = min(max(math.floor(t), 0), m - 1)
        u = t - j
        return a[j] + b[j] * u + c[j] * u * u + d[j] * u * u * u
    return at


def table(points, number=float):
    x_of = spline([p[0] for p in points], number)
    y_of = spline([p[1] for p in points], number)
    xs, ys, t = [], [], 0.0
    while t <= len(points) and len(xs) < 8000:
        xs.append(x_of(number(t)))
        ys.append(y_of(number(t)))
        t += 0.002
    out = []
    for v in INPUT:
        best, chosen = 999999, 0
        for s, x in enumerate(xs):
            distance = abs(x * 16 - v)
            if distance < best:
                best, chosen = math.floor(distance), s
        level = (256 - ys[chosen]) * 16
        level = math.floor(level) if level >= 0 else -math.floor(-level)
        out.append(min(max(level, 0), 4095))
    return len(xs), out


def main():
    for name, points in CASES.items():
        count, out = table(points)
        if "--exact" in sys.argv and table(points, Fraction)[1] != out:
            sys.exit(name + ": the table depends on rounding")
        print("    {\"%s\", %d, {" % (name, count))
        for row in range(0, 256, 16):
            print("        " + ", ".join(str(v) for v in out[row:row + 16]) + ",")
        print("    }},")


main()
