// ZISK, carried in extended precision (long double) from left to right exactly as the
// formula reads, the rare cases of ODHAD (far out, or its exp left open), and ODHAD of many.
#include "rating_model.hpp"

#include <algorithm>

using namespace rating_model_detail;

double ZISK(double S) {
    long double W = S > 0 ? 1.0L : (S == 0 ? 0.5L : 0.0L);
    long double result = (1 - static_cast<long double>(VAHA)) * W + static_cast<long double>(VAHA) * S / kScoreScale;
    return static_cast<double>(result);
}

double rating_model_detail::odhadFar(double R) {
    const long double x = kLogisticSlope * R;
    if (std::fabs(x) < rounded_exp_detail::kSaturated)
        return odhadAt(R, expStep(static_cast<double>(x) * rounded_exp_detail::kStepsPerLn));
    const long double margin = static_cast<long double>(VAHA) * kMarginPerPoint * R / kScoreScale;
    return odhadFrom(expCandidates(x).nearest, margin);
}

double rating_model_detail::odhadBetween(long double x, ExpStep step, long double margin, double result) {
    // Both candidates give the same double: so does the exact exp, which lies between them.
    // (The same step gives the same candidates.)
    if (odhadFrom(expCandidatesAt(x, step).other, margin) == result) return result;
    return odhadFrom(roundedExp(x), margin);
}

void replaceByOdhad(std::span<double> values) {
    constexpr std::size_t kBlock = 64;
    ExpStep steps[kBlock];
    for (std::size_t start = 0; start < values.size(); start += kBlock) {
        const std::span<double> block = values.subspan(start, std::min(kBlock, values.size() - start));
        for (std::size_t i = 0; i < block.size(); ++i) steps[i] = expStep(block[i] * kStepsPerPoint);
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = std::fabs(block[i]) < kFastRange ? odhadAt(block[i], steps[i]) : odhadFar(block[i]);
    }
}
