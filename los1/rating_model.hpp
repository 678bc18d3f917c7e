// The rating model: what a side obtained from a game (ZISK) and what it was expected to
// obtain from the rating difference (ODHAD), both blending win/draw/loss with the margin.
#pragma once

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
// inline: the rating passes call it twice for every game of every pass.
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

// ODHAD when the fast exp of x leaves two candidates open; `result` is the one from the
// nearest. Out of line, so the common case keeps few values alive.
double odhadBetween(long double x, long double margin, double result);

}  // namespace rating_model_detail

// The exp is exactly rounded (rounded_exp.hpp), so the result is the same on every system.
inline double ODHAD(double R) {
    using namespace rating_model_detail;
    const long double x = kLogisticSlope * R;
    const long double margin = static_cast<long double>(VAHA) * kMarginPerPoint * R / kScoreScale;
    const ExpCandidates exp = expCandidates(x);
    const double result = odhadFrom(exp.nearest, margin);
    if (exp.sure) [[likely]]
        return result;
    return odhadBetween(x, margin, result);
}
