// exp correctly rounded to long double, the same on every system and processor: a fast
// evaluation that knows when it is sure of the rounding, and an exact one for the rest.
#pragma once

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

// The evaluation below relies on the x87 format of long double (a 64-bit mantissa) and on
// every double and long double operation rounded in its own format (doubles in SSE registers).
// The processor's own settings are checked when a program starts (rating_arithmetic.hpp).
static_assert(LDBL_MANT_DIG == 64, "the ratings need the 80-bit long double of x86-64");
static_assert(FLT_EVAL_METHOD == 0, "the ratings need doubles computed as doubles (SSE, not the x87 unit)");

// The correctly rounded exp is `nearest` when `sure`; otherwise it is `nearest` or `other`,
// the neighbouring long double on the side of the exact value.
struct ExpCandidates {
    long double nearest;
    long double other;
    bool sure;
};

namespace rounded_exp_detail {

// How far the sum high + w may be from the exact 2^(j/256)*e^r (see expCandidatesAt), and so
// how close to half a unit in the last place its rounding error may come and still be sure.
inline constexpr double kSureAbove1 = 0x1p-64 - 0x1.4p-71;  // j > 0: the sum lies in (1, 2)
inline constexpr double kSureNear1 = 0x1p-65 - 0x1p-72;     // j = 0: the sum lies near 1

struct Exp2Entry {
    long double high;  // 2^(j/256) rounded to long double
    double low;        // the rest, rounded to double
    double sure;       // kSureAbove1 or kSureNear1
};
extern const Exp2Entry kExp2[256];

// Past +-46 the logistic part of ODHAD is exactly 1 or 0 whatever the exp (it is above
// 2^66 or below 2^-64 there), so infinity and zero stand in for it.
inline constexpr long double kSaturated = 46;
inline constexpr int kMaxShift = 67;  // |m| for |x| < 46
// Doubles where their precision is enough (an x87 operation takes them from memory as they
// are; a long double has to be loaded first).
inline constexpr double kStepsPerLn = 0x171547652b82fep-44;     // 256/ln2
inline constexpr double kStepHigh = 0x162e42fefa39f0p-61;       // ln2/256 to 49 bits
inline constexpr double kStepLow = -0x1950d871319ff0p-114;      // ln2/256 - kStepHigh
inline constexpr double kRoundingShift = 0x1.8p52;  // adding it rounds a double to a whole number
inline constexpr double kInv6 = 1.0 / 6, kInv24 = 1.0 / 24, kInv120 = 1.0 / 120, kInv720 = 1.0 / 720;

inline constexpr auto kPowersOfTwo = [] {
    std::array<double, 2 * kMaxShift + 1> powers{};
    powers[kMaxShift] = 1;
    for (int m = 1; m <= kMaxShift; ++m) {
        powers[kMaxShift + m] = powers[kMaxShift + m - 1] * 2;
        powers[kMaxShift - m] = powers[kMaxShift - m + 1] / 2;
    }
    return powers;
}();

}  // namespace rounded_exp_detail

// The whole number k of the reduction below, as an integer and as a double.
struct ExpStep {
    double kd;
    std::int32_t k;
};

// k, the nearest whole number to t, where t is within 2^-37 of x*256/ln2 and |x| < 46. In
// double arithmetic, apart from the x87 operations that follow: a caller that has many
// arguments takes their steps first, so the x87 chain of each never waits for a value
// passed to it through memory from the SSE registers.
inline ExpStep expStep(double t) {
    using namespace rounded_exp_detail;
    const double shifted = t + kRoundingShift;
    std::uint64_t bits;  // k sits in the low bits of the mantissa
    std::memcpy(&bits, &shifted, sizeof bits);
    return {shifted - kRoundingShift, static_cast<std::int32_t>(static_cast<std::uint32_t>(bits))};
}

// exp(x) = 2^m * 2^(j/256) * e^r with k = 256m + j from expStep, so |r| <= ln2/512 to within
// 2^-46. Every step uses + - * / on long double only, which are exactly rounded everywhere:
// - r = (x - k*kStepHigh) - k*kStepLow: |k| < 2^15 makes k*kStepHigh exact and the first
//   subtraction exact; r is off the true reduced argument by at most 2^-74 (its rounding).
// - p = r + r2*h, r2 = r*r, h = (1/2 + r/6) + r2*((1/24 + r/120) + r2/720), stands for
//   e^r - 1: the series left out is below 2^-79, the rounding of p 2^-74, the rest (h's
//   error, 2^-63.6, times r^2 < 2^-19) below 2^-82; p is within 2^-72.97 of e^r - 1 at the
//   true argument. h is summed in two halves so that their products overlap.
// - w = low + high*p (two roundings of numbers below 2^-8: 2^-73 each), and the sum
//   high + w is within delta = 2^-70.76 of 2^(j/256)*e^r (high times p's error, low left
//   out of the product, the table's own error 2^-118). For j = 0, w = p: delta = 2^-72.97.
// - nearest = high + w rounded, and `error`, its rounding error, exactly (high >= 1 > |w|).
//   The exact value is nearest + error +- delta. When |error| + delta stays below half a
//   unit in the last place (2^-64 in (1, 2), the case j > 0; 2^-65 below and at 1), nearest
//   is the correct rounding; otherwise it is nearest or its neighbour towards the exact value.
// - Scaling by 2^m is exact: |x| < 46 keeps everything normal.
// tools/odhad_table.py exp-constants prints the tables and works these bounds out.
struct ExpSum {
    long double nearest;  // high + w rounded, before the scaling by 2^m
    long double error;    // its rounding error
    double sureBelow;     // |error| up to this: nearest is the correct rounding
    double scale;         // 2^m
};

inline ExpSum expSum(long double x, ExpStep step) {
    using namespace rounded_exp_detail;
    const long double kd = step.kd;
    const long double r = (x - kd * kStepHigh) - kd * kStepLow;
    const long double r2 = r * r;
    const long double h = (r * kInv6 + 0.5L) + r2 * ((r * kInv120 + kInv24) + r2 * kInv720);
    const long double p = r + r2 * h;
    const Exp2Entry& entry = kExp2[step.k & 255];
    const long double w = entry.low + entry.high * p;
    const long double nearest = entry.high + w;
    return {nearest, (entry.high - nearest) + w, entry.sure, kPowersOfTwo[kMaxShift + (step.k >> 8)]};
}

// nearest is the correctly rounded exp (before scaling).
inline bool isSure(const ExpSum& sum) { return std::fabs(sum.error) <= sum.sureBelow; }

// The candidates of exp(x) for |x| < 46, reduced by `step`.
inline ExpCandidates expCandidatesAt(long double x, ExpStep step) {
    const ExpSum sum = expSum(x, step);
    const long double nearest = sum.nearest * sum.scale;
    if (isSure(sum)) [[likely]]
        return {nearest, nearest, true};
    const long double up = sum.nearest >= 1 ? 0x1p-63L : 0x1p-64L;
    const long double down = sum.nearest > 1 ? 0x1p-63L : 0x1p-64L;
    const long double other = sum.error > 0 ? sum.nearest + up : sum.nearest - down;
    return {nearest, other * sum.scale, false};
}

// exp(x) for any x: infinity and zero past +-46, where they stand in for it.
inline ExpCandidates expCandidates(long double x) {
    using namespace rounded_exp_detail;
    if (!(std::fabs(x) < kSaturated)) [[unlikely]] {
        const long double e = x > 0 ? std::numeric_limits<long double>::infinity() : x < 0 ? 0.0L : x;
        return {e, e, true};
    }
    return expCandidatesAt(x, expStep(static_cast<double>(x) * kStepsPerLn));
}

// exp(x) correctly rounded to long double, for |x| < 46 (and like expCandidates beyond): the
// fast evaluation, and where it is not sure, the side of the midpoint between its two
// candidates on which exp(x) lies, decided exactly (exp_midpoint.hpp). That takes about 20
// microseconds; ODHAD needs it for about 7 in a million arguments.
long double roundedExp(long double x);
