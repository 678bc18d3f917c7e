// The triple phase: the first re-pairing of three pairs, in scan order, whose MINHB sum is
// strictly below the old one. The scan skips the third pairs that cannot help.
#include "search_phases.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The first move T1..T4 that beats the pairs i, j and the pair at c, or 0.
struct Scan {
    double cij;   // MINHB[i][i2] + MINHB[j][j2]
    double mij;   // MINHB[i][j]
    double mij2;  // MINHB[i][j2]
    const double* fromI2;
    const double* fromJ2;
    const double* fromJ;
    const double* own;

    int firstMove(int c, int k, int k2) const {
        const double C = cij + own[c];
        if (mij + fromI2[k] + fromJ2[k2] < C) return 1;
        if (mij + fromI2[k2] + fromJ2[k] < C) return 2;
        if (mij2 + fromI2[k] + fromJ[k2] < C) return 3;
        if (mij2 + fromI2[k2] + fromJ[k] < C) return 4;
        return 0;
    }
};

void setPair(Pairing& pairing, int first, int second) {
    pairing.SOU[first] = static_cast<std::int16_t>(second);
    pairing.SOU[second] = static_cast<std::int16_t>(-first);
}

// New pairs of the moves, the member named first starting until the direction step.
void applyMove(Pairing& pairing, int move, int i, int j, int k) {
    const int i2 = pairing.SOU[i], j2 = pairing.SOU[j], k2 = pairing.SOU[k];
    switch (move) {
        case 1: setPair(pairing, i, j), setPair(pairing, i2, k), setPair(pairing, j2, k2); break;
        case 2: setPair(pairing, i, j), setPair(pairing, i2, k2), setPair(pairing, j2, k); break;
        case 3: setPair(pairing, i, j2), setPair(pairing, i2, k), setPair(pairing, j, k2); break;
        default: setPair(pairing, i, j2), setPair(pairing, i2, k2), setPair(pairing, j, k); break;
    }
}

// Order of the pruned scan: larger own costs first; a NaN cost, which makes every test of its
// pair fail, counts as the smallest.
bool dearer(double x, double y) { return x > y || (std::isnan(y) && !std::isnan(x)); }

// The smaller of two move floors; a NaN floor belongs to moves that can never be taken.
double lowerOf(double x, double y) {
    if (std::isnan(x)) return std::isnan(y) ? std::numeric_limits<double>::infinity() : y;
    if (std::isnan(y)) return x;
    return x < y ? x : y;
}

}  // namespace

bool triplePhase(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace) {
    listStarters(pairing, work);
    const int P = work.starterCount;
    for (int c = 0; c < P; ++c) {
        const int s = work.starters[c];
        work.ownCost[c] = costs.row(costs.MINHB, s)[pairing.SOU[s]];
    }
    const auto& starters = work.starters;
    const double* own = work.ownCost.data();
    // Every MINHB is at least 0, so each move of pairs i and j costs at least the smaller of
    // MINHB[i][j] and MINHB[i][j2] (sums of non-negative doubles never round below a term).
    // A third pair c can only help when MINHB[i][i2] + MINHB[j][j2] + its own cost exceeds
    // that, and as the sum grows with the own cost, the pairs to try are a prefix of the
    // pairs ordered dearest first. Of those that beat the old cost, the scan would have met
    // the lowest c first.
    auto& order = work.byOwnCost;
    for (int c = 0; c < P; ++c) order[c] = static_cast<std::int16_t>(c);
    std::sort(order.begin(), order.begin() + P, [own](int x, int y) { return dearer(own[x], own[y]); });
    for (int a = 0; a < P; ++a) {
        const int i = starters[a];
        if (i > pairing.N - 2) break;
        const int i2 = pairing.SOU[i];
        const double* fromI = costs.row(costs.MINHB, i);
        const double* fromI2 = costs.row(costs.MINHB, i2);
        for (int b = a + 1; b < P; ++b) {
            const int j = starters[b];
            const int j2 = pairing.SOU[j];
            const Scan scan{own[a] + own[b], fromI[j], fromI[j2], fromI2, costs.row(costs.MINHB, j2),
                            costs.row(costs.MINHB, j), own};
            const double floor = lowerOf(scan.mij, scan.mij2);
            int firstC = P, firstMove = 0;
            for (int n = 0; n < P; ++n) {
                const int c = order[n];
                if (!(scan.cij + own[c] > floor)) break;
                if (c <= a || c == b || c >= firstC) continue;
                const int k = starters[c];
                if (const int move = scan.firstMove(c, k, pairing.SOU[k])) firstC = c, firstMove = move;
            }
            if (firstMove == 0) continue;
            const int k = starters[firstC];
            applyMove(pairing, firstMove, i, j, k);
            ++pairing.KROKU2;
            if (trace)
                trace->push_back({'t', static_cast<std::int16_t>(i), static_cast<std::int16_t>(j),
                                  static_cast<std::int16_t>(k), static_cast<std::int8_t>(firstMove)});
            return true;
        }
    }
    return false;
}
