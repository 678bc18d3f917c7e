// The rating model: what a side obtained from a game (ZISK) and what it was expected to
// obtain from the rating difference (ODHAD), both blending win/draw/loss with the margin.
#pragma once

#include <cmath>
#include <span>

#include "rounded_exp.hpp"

// Weight of the score-margin component.
inline constexpr double VAHA = 0.25;
// First-move allowance in rating points of the player who starts a game.
inline constexpr double KOM = 34.6;
// Passes of the rating iteration.
inline constexpr int PIT = 10;

// S: own score minus the opponent's score.
double ZISK(double S);
// R: own rating minus the opponent's, first-move allowance already applied. Defined below,
// inline, with replaceByOdhad for many values at once (the rating passes).
double ODHAD(double R);

namespace rating_model_detail {

inline constexpr long double kScoreScale = 122.6L;
inline constexpr long double kLogisticSlope = 0.0056619409183007261198L;
inline constexpr long double kMarginPerPoint = 0.216728L;

// ODHAD with a given value of its exp, carried in long double from left to right as the
// formula reads; only the result is rounded to a double. It never falls as the exp grows.
inline double odhadFrom(long double exp, long double margin) {
    long double P = 1 - 1 / (exp + 1);
    return static_cast<double>((1 - static_cast<long double>(VAHA)) * P + margin);
}

// Below this |R| the argument of the exp is below 46 in size, so the fast exp applies as
// it is; from it on, expCandidates tells (the exp is infinite or 0 soon after).
inline constexpr double kFastRange = 8120;
// kLogisticSlope*256/ln2 rounded to double: R times it is x*256/ln2 to within 2^-37.
inline constexpr double kStepsPerPoint = 0x10ba9f59381e11p-51;

// ODHAD when the fast exp of x, reduced by `step`, leaves two candidates open; `result` is
// the one from the nearest. Out of line, so the common case keeps few values alive.
double odhadBetween(long double x, ExpStep step, long double margin, double result);

// ODHAD of an R from kFastRange on in size, and of NaN.
double odhadFar(double R);

// ODHAD of an R below kFastRange in size (or with |x| < 46), with the reduction step of its
// exp.
inline double odhadAt(double R, ExpStep step) {
    const long double x = kLogisticSlope * R;
    const long double margin = static_cast<long double>(VAHA) * kMarginPerPoint * R / kScoreScale;
    const ExpSum exp = expSum(x, step);
    const double result = odhadFrom(exp.nearest * exp.scale, margin);
    if (isSure(exp)) [[likely]]
        return result;
    return odhadBetween(x, step, margin, result);
}

}  // namespace rating_model_detail

// The exp is exactly rounded (rounded_exp.hpp), so the result is the same on every system.
// For one value: in a loop the step's double passes to the x87 chain through memory and
// waits there, which replaceByOdhad avoids.
inline double ODHAD(double R) {
    using namespace rating_model_detail;
    if (std::fabs(R) < kFastRange) [[likely]]
        return odhadAt(R, expStep(R * kStepsPerPoint));
    return odhadFar(R);
}

// Every value R replaced by ODHAD(R), faster than one at a time: the reduction steps of a
// block of them are taken first, so that the x87 chains find them in memory already.
void replaceByOdhad(std::span<double> values);
