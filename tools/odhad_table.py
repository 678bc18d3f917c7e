#!/usr/bin/env python3
# ODHAD worked out exactly, independently of the C++ code: exp to high precision, every long
# double step of the formula rounded to 64 bits, the result to a double. Standard library only.
"""Writes the table of ODHAD bit patterns that tests/los1/rating_model_test.cpp checks.

  odhad_table.py table [--out tests/los1/odhad_table.inc]
      the arguments (edge values, tournament rating differences, the whole range, and the
      hard ones found by a search: exp close to a rounding midpoint of long double, a double
      result that the neighbours of the exp would change, results close to zero), ODHAD of
      each as double bit patterns, and its exp rounded to long double;
  odhad_table.py exp-constants
      the table and constants of los1/rounded_exp.* (and kStepsPerPoint of
      los1/rating_model.hpp), with the error bounds of its fast evaluation worked out from them.

The table is the same on every run (fixed seeds).
"""

import argparse
import math
import random
import struct
import sys
from decimal import Context, Decimal, localcontext
from fractions import Fraction

# Formats: mantissa bits, least and greatest exponent of a normal number.
LONG_DOUBLE = (64, -16382, 16383)
DOUBLE = (53, -1022, 1023)
INF = float("inf")


def floor_log2(v):
    """The e with 2**e <= v < 2**(e+1), for a positive Fraction."""
    e = v.numerator.bit_length() - v.denominator.bit_length()
    if Fraction(2) ** e > v:
        e -= 1
    return e


def rn(v, fmt):
    """v rounded to nearest, ties to even, in the format; INF or -INF past the largest."""
    if v in (INF, -INF):
        return v
    if v == 0:
        return Fraction(0)
    p, emin, emax = fmt
    a = abs(v)
    q = max(floor_log2(a), emin) - p + 1
    scaled = a / Fraction(2) ** q
    m = scaled.numerator // scaled.denominator
    rest = scaled - m
    if rest > Fraction(1, 2) or (rest == Fraction(1, 2) and m % 2 == 1):
        m += 1
    r = m * Fraction(2) ** q
    if r >= Fraction(2) ** (emax + 1):
        return INF if v > 0 else -INF
    return r if v > 0 else -r


def ld(v):
    return rn(v, LONG_DOUBLE)


def ulp_ld(v):
    """The spacing of long doubles at the positive normal v."""
    return Fraction(2) ** (floor_log2(v) - 63)


def to_decimal(v):
    """A Fraction with a power-of-two denominator, exactly."""
    k = v.denominator.bit_length() - 1
    assert v.denominator == 1 << k
    return Decimal(f"{v.numerator * 5 ** k}E-{k}")


def exp_decimal(x, digits):
    with localcontext(Context(prec=digits, Emax=10**6, Emin=-(10**6))):
        return Fraction(to_decimal(x).exp())


def exp_ld(x):
    """exp(x) correctly rounded to long double. Decimal's exp is correctly rounded to its
    precision, so its value lies within one unit of that precision of exp(x); the rounding
    is settled when both ends of that interval round alike."""
    if x > 12000:
        return INF
    if x < -12000:
        return Fraction(0)
    if x == 0:
        return Fraction(1)
    digits = 45
    while True:
        e = exp_decimal(x, digits)
        slack = e * Fraction(10) ** (1 - digits)
        low, high = ld(e - slack), ld(e + slack)
        if low == high:
            return low
        digits *= 2


# The model's constants as the C++ code holds them: the literals rounded to long double.
SLOPE = ld(Fraction("0.0056619409183007261198"))
MARGIN_PER_POINT = ld(Fraction("0.216728"))
SCORE_SCALE = ld(Fraction("122.6"))
VAHA = Fraction(1, 4)


def odhad_steps(R, E):
    """The long double result before its rounding to double, for exp value E."""
    if E == INF:
        P = Fraction(1)
    else:
        P = ld(1 - ld(1 / ld(E + 1)))
    margin = ld(ld(ld(VAHA * MARGIN_PER_POINT) * R) / SCORE_SCALE)
    return ld(ld((1 - VAHA) * P) + margin)


def as_double(v):
    d = rn(v, DOUBLE)
    return d if d in (INF, -INF) else float(d)


def argument(R):
    return ld(SLOPE * Fraction(R))


def odhad(R):
    if math.isinf(R):
        return R
    return as_double(odhad_steps(Fraction(R), exp_ld(argument(R))))


def bits(d):
    return struct.unpack("<Q", struct.pack("<d", d))[0]


def from_bits(b):
    return struct.unpack("<d", struct.pack("<Q", b))[0]


# ---------------------------------------------------------------- the arguments

KOM = 34.6
LN2 = Fraction(Decimal(2).ln(Context(prec=60)))


def edge_values():
    values = [0.0, -0.0, 34.6, -34.6, 100.0, -100.0, 400.0, -400.0, 1.0, -1.0, 0.1, -0.1,
              1e-300, -1e-300, 5e-324, -5e-324, 1e4, -1e4, 1e5, -1e5, 1e6, -1e6, 2e6, -2e6,
              2005760.0, -2005760.0, 2005770.0, 1e7, -1e7, 1e15, -1e15, 1e300, -1e300,
              sys.float_info.max, -sys.float_info.max, INF, -INF]
    # Where the logistic part saturates (exp(x) below 2^-64 or above 2^66) and either side.
    for x in (46, -46, 45, -45, 44.5, -44.5, 47, -47):
        centre = float(Fraction(x) / SLOPE)
        values += [centre, math.nextafter(centre, INF), math.nextafter(centre, -INF)]
    return values


def rating(rng):
    """A rating as kanvo.dat holds it: two decimals, or 1400 for the unrated."""
    return 1400.0 if rng.random() < 0.1 else round(rng.gauss(1550, 200), 2)


def tournament_difference(rng):
    """S0 of one side minus the current S of the other, with KOM, as the passes form it."""
    own = rating(rng)
    other = rating(rng) + rng.gauss(0, 40) * (rng.random() < 0.9)
    return (own - other) + KOM if rng.random() < 0.5 else (own - other) - KOM


def whole_range(rng):
    """Differences of every size, most of them where the logistic part still moves."""
    kind = rng.random()
    if kind < 0.6:
        return rng.uniform(-1000, 1000)
    if kind < 0.9:
        return rng.uniform(-8200, 8200)
    return math.copysign(10 ** rng.uniform(-6, 8), rng.random() - 0.5)


def near_table_steps(rng):
    """x close to a boundary of the reduction by ln2/256, and x just either side of 0."""
    if rng.random() < 0.5:
        i = rng.randint(-16000, 16000)
        return float((i + Fraction(1, 2)) * LN2 / 256 / SLOPE) * (1 + rng.uniform(-1e-12, 1e-12))
    return rng.uniform(-0.25, 0.25)


def zero_crossing():
    """The R < 0 at which ODHAD is 0 (its margin term cancels the logistic part)."""
    low, high = -400.0, -200.0
    for _ in range(100):
        mid = (low + high) / 2
        if 0.75 / (1 + math.exp(-0.005661940918300726 * mid)) + 0.25 * 0.216728 * mid / 122.6 > 0:
            high = mid
        else:
            low = mid
    return low


class Candidate:
    """An argument with what makes it hard: how close exp lies to a long double rounding
    midpoint (in units of the last place), and whether a neighbour of the rounded exp
    would change the double result."""

    def __init__(self, R):
        self.R = R
        x = argument(R)
        self.midpoint_distance = 1.0
        self.flips = False
        if abs(x) > 50:
            return
        exact = exp_decimal(x, 45)
        E = ld(exact)
        position = float((exact - E) / ulp_ld(E))
        self.midpoint_distance = abs(abs(position) - 0.5)
        rounded = as_double(odhad_steps(Fraction(R), E))
        below, above = E - ulp_ld(E) / (2 if E == Fraction(2) ** floor_log2(E) else 1), E + ulp_ld(E)
        self.flips = any(as_double(odhad_steps(Fraction(R), n)) != rounded for n in (below, above))


def hardest(candidates, count):
    return [c.R for c in sorted(candidates, key=lambda c: c.midpoint_distance)[:count]]


def table_arguments():
    """Groups of arguments with a comment each, in the order of the table."""
    rng = random.Random(20261208)
    groups = [("edge values", edge_values()),
              ("rating differences of a tournament", [tournament_difference(rng) for _ in range(1000)]),
              ("the whole range", [whole_range(rng) for _ in range(500)]),
              ("reduction boundaries and x near 0", [near_table_steps(rng) for _ in range(300)])]
    print("searching for hard arguments...", file=sys.stderr)
    pool = [Candidate(tournament_difference(rng)) for _ in range(60000)]
    pool += [Candidate(rng.uniform(-8200, 8200)) for _ in range(20000)]
    groups.append(("exp closest to a rounding midpoint of long double", hardest(pool, 600)))
    groups.append(("a neighbour of the rounded exp changes the double",
                   [c.R for c in pool if c.flips][:400]))
    crossing = zero_crossing()
    # Within 0.01 of the crossing the double is finer than the exp's last place, so these
    # are the arguments where only the exact exp decides.
    near_zero = [Candidate(crossing + rng.uniform(-0.01, 0.01)) for _ in range(20000)]
    groups.append(("results near 0, exp closest to a midpoint", hardest(near_zero, 300)))
    groups.append(("results near 0", [crossing + rng.uniform(-0.5, 0.5) for _ in range(100)]))
    return groups


def exp_bits(R):
    """The mantissa and the sign and exponent field of the rounded exp of ODHAD, where
    |x| < 46 (0, 0 elsewhere: there the formula takes the exp as 0 or infinity)."""
    if math.isinf(R) or abs(argument(R)) >= 46:
        return 0, 0
    E = exp_ld(argument(R))
    e = floor_log2(E)
    return int(E / Fraction(2) ** (e - 63)), e + 16383


def write_table(path):
    groups = table_arguments()
    with open(path, "w", newline="\n") as out:
        out.write("// ODHAD(R) as {R, result, exp mantissa, exp exponent field}: double and long double\n")
        out.write("// bit patterns worked out exactly by tools/odhad_table.py (do not edit; run it again).\n")
        total = 0
        for title, values in groups:
            out.write(f"// {title}\n")
            for R in values:
                mantissa, exponent = exp_bits(R)
                out.write(f"{{0x{bits(R):016x}, 0x{bits(odhad(R)):016x}, 0x{mantissa:016x}, 0x{exponent:04x}}},\n")
            total += len(values)
    print(f"{total} arguments written to {path}", file=sys.stderr)


# ---------------------------------------------------------------- constants of rounded_exp.cpp

STEPS = 256  # table entries per doubling


def hex_long_double(v):
    if v == 0:
        return "0.0L"
    e = floor_log2(abs(v)) - 63
    m = abs(v) / Fraction(2) ** e
    assert m.denominator == 1 and m.numerator < 2 ** 64
    return f"{'-' if v < 0 else ''}0x{m.numerator:016x}p{e}L"


def hex_double(v):
    if v == 0:
        return "0.0"
    e = floor_log2(abs(v)) - 52
    m = abs(v) / Fraction(2) ** e
    assert m.denominator == 1 and m.numerator < 2 ** 53
    return f"{'-' if v < 0 else ''}0x{m.numerator:x}p{e}"


def high_precision_exp2(j):
    with localcontext(Context(prec=60)):
        return Fraction((Decimal(j) / STEPS * Decimal(2).ln()).exp())


def exp_constants():
    step = LN2 / STEPS
    # ln2/256 in a part of 49 bits (times any |k| < 2^15 it is exact) and the rest.
    step_high = Fraction(round(step * 2 ** 57), 2 ** 57)
    step_low = rn(step - step_high, DOUBLE)
    assert step_high.numerator.bit_length() <= 49
    steps_per_ln = rn(STEPS / LN2, DOUBLE)
    steps_per_point = rn(SLOPE * STEPS / LN2, DOUBLE)
    print(f"kStepsPerLn = {hex_double(steps_per_ln)}")
    print(f"kStepsPerPoint = {hex_double(steps_per_point)}")
    print(f"kStepHigh = {hex_double(step_high)}")
    print(f"kStepLow = {hex_double(step_low)}")
    print("kExp2 (high, low, sure):")
    table_error = 0
    for j in range(STEPS):
        exact = high_precision_exp2(j)
        high = ld(exact)
        low = rn(exact - high, DOUBLE)
        table_error = max(table_error, abs(exact - high - low))
        print(f"    {{{hex_long_double(high)}, {hex_double(low)}, {'kSureNear1' if j == 0 else 'kSureAbove1'}}},")
    bounds(step, step_high, step_low, steps_per_ln, steps_per_point, table_error)


def bounds(step, step_high, step_low, steps_per_ln, steps_per_point, table_error):
    """The error bound of the fast evaluation, term by term (see rounded_exp.hpp)."""
    two = Fraction(2)
    x_max = 46
    t_max = x_max * STEPS / LN2 * Fraction(10001, 10000)
    # t, computed in double, is off x*256/ln2 (x the long double argument) by:
    # - from x (expCandidates): x rounded to double, the constant's error, the product's rounding;
    # - from R (ODHAD, x = SLOPE*R rounded): the constant's error against SLOPE*256/ln2, the
    #   product's rounding, and x's own rounding.
    # k is t rounded to a whole number, |k| < 2^15; expStep takes it from a double.
    from_x = t_max * (two ** -53 + abs(steps_per_ln - STEPS / LN2) / (STEPS / LN2) + two ** -53)
    exact_steps_per_point = SLOPE * STEPS / LN2
    from_r = t_max * (abs(steps_per_point - exact_steps_per_point) / exact_steps_per_point + two ** -53 + two ** -64)
    t_error = max(from_x, from_r) * Fraction(10001, 10000)
    assert t_error < two ** -37, float(t_error)
    assert x_max * steps_per_ln + 1 < 2 ** 15 and t_max < 2 ** 51
    r_max_true = step * (Fraction(1, 2) + t_error)
    # r: the rounding of the last subtraction (|r| < 2^-9), k*kStepLow rounded, and the part
    # of ln2/256 that kStepHigh + kStepLow leave out.
    k_max = 2 ** 15
    e_r = two ** -74 + k_max * abs(step_low) * two ** -64 + k_max * abs(step - step_high - step_low)
    r_max = r_max_true + e_r
    assert r_max < two ** -9
    truncation = r_max ** 7 / 5040 * Fraction(10014, 10000)  # e^r_max < 1.0014
    # h = (1/2 + r/6) + r2*((1/24 + r/120) + r2/720): the roundings of its two sums near 1/2
    # (2^-65 each), that of r/6 (below 2^-76) and of the small half (below 2^-80), and r
    # times the error of the coefficients as doubles (1/6 off by at most 2^-56, the rest less).
    h_error = two ** -64 + two ** -76 + two ** -80 + r_max * (two ** -56 + two ** -62)
    # p = r + (r*r)*h: rounding of p, then r*r and the product (2^-64 relative each), and
    # the error of h, all times r^2.
    p_eval = two ** -74 + r_max ** 2 * (h_error + Fraction(5003, 10000) * 2 * two ** -64)
    e_p = p_eval + truncation + Fraction(10014, 10000) * e_r
    table_max = ld(high_precision_exp2(STEPS - 1))
    # y = high*p and w = low + y each rounded (both below 2^-8: 2^-73 each); high times the
    # error of p; low left out of the product (below 2^-64 times |e^r - 1|); the table.
    delta = 2 * two ** -73 + table_max * e_p + two ** -64 * (r_max + r_max ** 2) + table_error
    delta0 = e_p  # j = 0: high = 1 and low = 0 exactly, so y = p and w = y
    for name, value in (("error of t", t_error), ("|r| at most", r_max), ("error of r", e_r),
                        ("truncation", truncation), ("error of h", h_error), ("error of p", e_p),
                        ("table", table_error),
                        ("delta (j > 0)", delta), ("delta (j = 0)", delta0)):
        print(f"{name}: {float(value):.4g} = 2^{math.log2(value):.2f}")
    # The thresholds of rounded_exp.hpp must leave room for delta.
    assert two ** -64 - (two ** -64 - Fraction(5, 4) * two ** -71) > delta
    assert two ** -65 - (two ** -65 - two ** -72) > delta0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = parser.add_subparsers(dest="command", required=True)
    t = sub.add_parser("table", help="write the table of ODHAD bit patterns")
    t.add_argument("--out", default="tests/los1/odhad_table.inc")
    sub.add_parser("exp-constants", help="print the table and constants of los1/rounded_exp.*")
    args = parser.parse_args()
    if args.command == "table":
        write_table(args.out)
    else:
        exp_constants()


if __name__ == "__main__":
    main()
