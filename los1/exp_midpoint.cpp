// exp(x) against a rounding midpoint in whole numbers: exp(|x|) in fixed point from its series,
// every step rounded down for a lower bound and up for an upper one, to more bits until the
// midpoint lies outside the bounds. exp(x) is never the midpoint itself: x is a rational other
// than 0, so exp(x) is irrational (Lindemann), and the bounds, which close in on it as the bits
// grow, part from the midpoint at some precision. In practice the first one settles it.
#include "exp_midpoint.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A whole number >= 0 in 32-bit limbs, the lowest first, without leading zero limbs.
using Whole = std::vector<std::uint32_t>;

void trim(Whole& a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

Whole fromWord(std::uint64_t value) {
    Whole a{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
    trim(a);
    return a;
}

// a * 2^bits
Whole shiftedLeft(const Whole& a, int bits) {
    Whole result(static_cast<std::size_t>(bits / 32), 0);
    const int part = bits % 32;
    std::uint32_t carry = 0;
    for (std::uint32_t limb : a) {
        result.push_back(part == 0 ? limb : (limb << part) | carry);
        carry = part == 0 ? 0 : limb >> (32 - part);
    }
    result.push_back(carry);
    trim(result);
    return result;
}

Whole plus(const Whole& a, const Whole& b) {
    Whole result;
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()) || carry != 0; ++i) {
        carry += (i < a.size() ? a[i] : 0u) + std::uint64_t{i < b.size() ? b[i] : 0u};
        result.push_back(static_cast<std::uint32_t>(carry));
        carry >>= 32;
    }
    trim(result);
    return result;
}

Whole times(const Whole& a, const Whole& b) {
    Whole result(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            carry += std::uint64_t{a[i]} * b[j] + result[i + j];
            result[i + j] = static_cast<std::uint32_t>(carry);
            carry >>= 32;
        }
        result[i + b.size()] = static_cast<std::uint32_t>(carry);
    }
    trim(result);
    return result;
}

int compare(const Whole& a, const Whole& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = a.size(); i-- > 0;)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return 0;
}

// a / (divisor * 2^bits), rounded down or up: it is a whole number exactly when the division
// by divisor and the shift both leave nothing behind.
Whole dividedBy(const Whole& a, std::uint32_t divisor, int bits, bool up) {
    Whole quotient(a.size(), 0);
    std::uint64_t rest = 0;
    for (std::size_t i = a.size(); i-- > 0;) {
        rest = (rest << 32) | a[i];
        quotient[i] = static_cast<std::uint32_t>(rest / divisor);
        rest %= divisor;
    }
    bool inexact = rest != 0;
    const std::size_t whole = static_cast<std::size_t>(bits / 32);
    const int part = bits % 32;
    for (std::size_t i = 0; i < std::min(whole, quotient.size()); ++i) inexact = inexact || quotient[i] != 0;
    if (whole < quotient.size() && part != 0) inexact = inexact || (quotient[whole] & ((1u << part) - 1)) != 0;
    Whole result;
    for (std::size_t i = whole; i < quotient.size(); ++i) {
        const std::uint64_t next = i + 1 < quotient.size() ? quotient[i + 1] : 0;
        result.push_back(static_cast<std::uint32_t>(((next << 32) | quotient[i]) >> part));
    }
    trim(result);
    return up && inexact ? plus(result, Whole{1}) : result;
}

struct Bounds {
    Whole low, high;
};

// exp(y) * 2^precision bounded below and above, for y = a * 2^-shift > 0: the sum of the terms
// y^n/n!, each made from the one before and rounded down (up) for the lower (upper) bound. Once
// n >= 2y + 1 every later term is at most half the one before, so all of them together are at
// most the last term again; the sum stops when that is one unit.
Bounds seriesScaled(std::uint64_t a, int shift, int precision) {
    const Whole factor = fromWord(a);
    const double y = std::ldexp(static_cast<double>(a), -shift);
    Whole low = shiftedLeft(Whole{1}, precision), high = low;
    Bounds sum{low, high};
    for (std::uint32_t n = 1;; ++n) {
        low = dividedBy(times(low, factor), n, shift, false);
        high = dividedBy(times(high, factor), n, shift, true);
        sum.low = plus(sum.low, low);
        sum.high = plus(sum.high, high);
        if (n >= 2 * y + 1 && compare(high, Whole{1}) <= 0) {
            sum.high = plus(sum.high, high);
            return sum;
        }
    }
}

// The same bounds from the series of y / 2^k below 1 (a few dozen terms), squared k times:
// the square of a lower (upper) bound, rounded down (up), is one again.
Bounds expScaled(std::uint64_t a, int shift, int precision) {
    const int halvings = std::max(0, std::ilogb(std::ldexp(static_cast<double>(a), -shift)) + 1);
    Bounds exp = seriesScaled(a, shift + halvings, precision);
    for (int i = 0; i < halvings; ++i) {
        exp.low = dividedBy(times(exp.low, exp.low), 1, precision, false);
        exp.high = dividedBy(times(exp.high, exp.high), 1, precision, true);
    }
    return exp;
}

// v = mantissa * 2^exponent with a 64-bit mantissa, for a positive normal v.
struct Parts {
    std::uint64_t mantissa;
    int exponent;
};

Parts partsOf(long double v) {
    int exponent = 0;
    const long double fraction = std::frexp(v, &exponent);
    return {static_cast<std::uint64_t>(std::ldexp(fraction, 64)), exponent - 64};
}

}  // namespace

bool expAboveMidpoint(long double x, long double below) {
    // The midpoint is (2A + 1) * 2^(E - 1) for below = A * 2^E; |x| = a * 2^-shift.
    const Parts lower = partsOf(below);
    const Whole midpoint = plus(shiftedLeft(fromWord(lower.mantissa), 1), Whole{1});
    const Parts argument = partsOf(std::fabs(x));
    for (int precision = 128;; precision *= 2) {
        const Bounds exp = expScaled(argument.mantissa, -argument.exponent, precision);
        if (x > 0) {
            // exp(x) * 2^precision against the midpoint times 2^precision (exp(x) > 1: E > -64).
            const Whole target = shiftedLeft(midpoint, lower.exponent - 1 + precision);
            if (compare(exp.low, target) > 0) return true;
            if (compare(exp.high, target) < 0) return false;
        } else {
            // exp(x) > midpoint exactly when exp(|x|) * midpoint < 1.
            const Whole one = shiftedLeft(Whole{1}, precision + 1 - lower.exponent);
            if (compare(times(exp.high, midpoint), one) < 0) return true;
            if (compare(times(exp.low, midpoint), one) > 0) return false;
        }
    }
}
