// ZISK and ODHAD, carried in extended precision (long double) from left to right exactly as
// the formulas read; only the result is rounded to a double.
#include "rating_model.hpp"

#include <cmath>

const double VAHA = 0.25;
const double KOM = 34.6;

namespace {
constexpr long double kScoreScale = 122.6L;
constexpr long double kLogisticSlope = 0.0056619409183007261198L;
constexpr long double kMarginPerPoint = 0.216728L;
}  // namespace

double ZISK(double S) {
    long double W = S > 0 ? 1.0L : (S == 0 ? 0.5L : 0.0L);
    long double result = (1 - static_cast<long double>(VAHA)) * W + static_cast<long double>(VAHA) * S / kScoreScale;
    return static_cast<double>(result);
}

double ODHAD(double R) {
    long double P = 1 - 1 / (expl(kLogisticSlope * R) + 1);
    long double result = (1 - static_cast<long double>(VAHA)) * P +
                         static_cast<long double>(VAHA) * kMarginPerPoint * R / kScoreScale;
    return static_cast<double>(result);
}
