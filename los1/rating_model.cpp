// ZISK, carried in extended precision (long double) from left to right exactly as the
// formula reads, and the rare case of ODHAD whose exp the fast evaluation leaves open.
#include "rating_model.hpp"

using namespace rating_model_detail;

double ZISK(double S) {
    long double W = S > 0 ? 1.0L : (S == 0 ? 0.5L : 0.0L);
    long double result = (1 - static_cast<long double>(VAHA)) * W + static_cast<long double>(VAHA) * S / kScoreScale;
    return static_cast<double>(result);
}

double rating_model_detail::odhadBetween(long double x, long double margin, double result) {
    // Both candidates give the same double: so does the exact exp, which lies between them.
    if (odhadFrom(expCandidates(x).other, margin) == result) return result;
    return odhadFrom(roundedExp(x), margin);
}
