// The triple phase: the first re-pairing of three pairs, in scan order, whose MINHB sum is
// strictly below the old one. The scan reads MINHB through tables laid out by pair.
#include "search_phases.hpp"

namespace {

// Copies for every position x the MINHB to each pair's starter and second player, so that
// the innermost loop reads contiguous rows.
void layOutByPair(const CostMatrices& costs, const Pairing& pairing, SearchWork& work) {
    const int P = work.starterCount;
    for (int c = 0; c < P; ++c) {
        const int s = work.starters[c];
        work.ownCost[c] = costs.row(costs.MINHB, s)[pairing.SOU[s]];
    }
    for (int x = 1; x <= pairing.N; ++x) {
        const double* minhb = costs.row(costs.MINHB, x);
        double* toStarter = work.toStarter.data() + static_cast<std::size_t>(x) * P;
        double* toPartner = work.toPartner.data() + static_cast<std::size_t>(x) * P;
        for (int c = 0; c < P; ++c) {
            const int s = work.starters[c];
            toStarter[c] = minhb[s];
            toPartner[c] = minhb[pairing.SOU[s]];
        }
    }
}

struct Rows {
    const double* starter;  // MINHB from one position to each pair's starter
    const double* partner;  // ... and to its second player
};

Rows rowsOf(const SearchWork& work, int x) {
    const std::size_t at = static_cast<std::size_t>(x) * work.starterCount;
    return {work.toStarter.data() + at, work.toPartner.data() + at};
}

// The first move T1..T4 that beats the pairs i, j and the pair at c, or 0.
struct Scan {
    double cij;   // MINHB[i][i2] + MINHB[j][j2]
    double mij;   // MINHB[i][j]
    double mij2;  // MINHB[i][j2]
    Rows i2, j2, j;
    const double* own;

    int firstMove(int c) const {
        const double C = cij + own[c];
        if (mij + i2.starter[c] + j2.partner[c] < C) return 1;
        if (mij + i2.partner[c] + j2.starter[c] < C) return 2;
        if (mij2 + i2.starter[c] + j.partner[c] < C) return 3;
        if (mij2 + i2.partner[c] + j.starter[c] < C) return 4;
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

}  // namespace

bool triplePhase(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace) {
    listStarters(pairing, work);
    layOutByPair(costs, pairing, work);
    const int P = work.starterCount;
    const auto& starters = work.starters;
    for (int a = 0; a < P; ++a) {
        const int i = starters[a];
        if (i > pairing.N - 2) break;
        const int i2 = pairing.SOU[i];
        const double* fromI = costs.row(costs.MINHB, i);
        const Rows rowsI2 = rowsOf(work, i2);
        for (int b = a + 1; b < P; ++b) {
            const int j = starters[b];
            const int j2 = pairing.SOU[j];
            const Scan scan{work.ownCost[a] + work.ownCost[b], fromI[j], fromI[j2], rowsI2, rowsOf(work, j2),
                            rowsOf(work, j), work.ownCost.data()};
            // k runs over the later pairs on both sides of j.
            for (int c = a + 1; c < P; ++c) {
                if (c == b) continue;
                const int move = scan.firstMove(c);
                if (move == 0) continue;
                const int k = starters[c];
                applyMove(pairing, move, i, j, k);
                ++pairing.KROKU2;
                if (trace)
                    trace->push_back({'t', static_cast<std::int16_t>(i), static_cast<std::int16_t>(j),
                                      static_cast<std::int16_t>(k), static_cast<std::int8_t>(move)});
                return true;
            }
        }
    }
    return false;
}
