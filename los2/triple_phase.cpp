// The triple phase: the first re-pairing of three pairs, in scan order, whose MINHB sum is
// strictly below the old one. The scan skips the pairs that cannot help and what it has tried.
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
    double floor;  // no move of pairs i and j costs less
    const double* key;  // own cost of pair c less i2's cheaper entry into it
    double keyFloor;    // a pair c whose key is not above it has no move

    int firstMove(int c, int k, int k2) const {
        const double C = cij + own[c];
        if (mij + fromI2[k] + fromJ2[k2] < C) return 1;
        if (mij + fromI2[k2] + fromJ2[k] < C) return 2;
        if (mij2 + fromI2[k] + fromJ[k2] < C) return 3;
        if (mij2 + fromI2[k2] + fromJ[k] < C) return 4;
        return 0;
    }
};

// The third pair found, if any: the lowest c with a move, and the move.
struct Found {
    int c = 0;
    int move = 0;
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

// The smaller of two move floors; a NaN floor belongs to moves that can never be taken. Two
// NaN floors give NaN, which no old sum exceeds.
double lowerOf(double x, double y) { return y < x || x != x ? y : x; }

// Own costs, the pairs dearest first, and the pairs changed since the last scan.
void prepareScan(const CostMatrices& costs, const Pairing& pairing, SearchWork& work) {
    listStarters(pairing, work);
    const int P = work.starterCount;
    work.changedCount = 0;
    for (int c = 0; c < P; ++c) {
        const int s = work.starters[c], t = pairing.SOU[s];
        work.ownCost[c] = costs.row(costs.MINHB, s)[t];
        const bool changed = work.triplesKnown && work.scannedSOU[s] != t;
        work.pairChanged[c] = changed;
        if (changed) work.changedPairs[work.changedCount++] = static_cast<std::int16_t>(c);
    }
    auto* order = work.byOwnCost.data();
    for (int c = 0; c < P; ++c) order[c] = static_cast<std::int16_t>(c);
    const double* own = work.ownCost.data();
    std::sort(order, order + P, [own](int x, int y) { return dearer(own[x], own[y]); });
}

// Removes pair c from the pairs still to be tried as second or third pairs.
void dropPair(std::int16_t* order, int& count, int c) {
    std::int16_t* at = std::find(order, order + count, static_cast<std::int16_t>(c));
    std::copy(at + 1, order + count, at);
    --count;
}

// Third pairs taken dearest first while their old sum can still beat the floor.
Found scanDearest(const Scan& scan, const SearchWork& work, const Pairing& pairing, int later, int b) {
    Found found{work.starterCount, 0};
    for (int n = 0; n < later; ++n) {
        const int c = work.byOwnCost[n];
        if (!(scan.cij + scan.own[c] > scan.floor)) break;
        if (c == b || c >= found.c || !(scan.key[c] > scan.keyFloor)) continue;
        const int k = work.starters[c];
        if (const int move = scan.firstMove(c, k, pairing.SOU[k])) found = {c, move};
    }
    return found;
}

// Only the third pairs changed since the last scan (so none is the unchanged second pair), in
// scan order, from index `from` on.
Found scanChanged(const Scan& scan, const SearchWork& work, const Pairing& pairing, int from) {
    for (int n = from; n < work.changedCount; ++n) {
        const int c = work.changedPairs[n];
        if (!(scan.key[c] > scan.keyFloor)) continue;
        const int k = work.starters[c];
        if (const int move = scan.firstMove(c, k, pairing.SOU[k])) return {c, move};
    }
    return {};
}

void rememberScan(SearchWork& work, const Pairing& pairing, int i, int j) {
    work.triplesKnown = true;
    work.scannedSOU = pairing.SOU;
    work.movedI = static_cast<std::int16_t>(i);
    work.movedJ = static_cast<std::int16_t>(j);
}

}  // namespace

// Why the scan may skip. Every MINHB is at least 0 and rounded sums never fall as a term grows,
// so a move costs at least the same sum with each term replaced by a floor of it, such as the
// least entry of a player's MINHB row, least(p). Hence T1 and T2 cost at least
// MINHB[i][j] + least(i2) + least(j2), and T3 and T4 MINHB[i][j2] + least(i2) + least(j).
// The old sum MINHB[i][i2] + MINHB[j][j2] + own cost of the third pair grows with the own cost,
// so the third pairs that can beat that floor are a prefix of the pairs taken dearest first;
// of the ones that improve, the scan would have met the lowest first. A first pair whose
// least(i) + least(i2) is not below its own cost plus twice the dearest later own cost has no
// move at all.
// With i2's own entries into pair c instead of its least: a move also costs at least
// min(MINHB[i][j] + least(j2), MINHB[i][j2] + least(j)) + min(MINHB[i2][k], MINHB[i2][k2]), so
// pair c can only help when its own cost less that last term (its key) exceeds the first term
// less the old cost of pairs i and j. That difference is taken in rounded arithmetic, so the
// test leaves a slack far above the rounding of sums of entries no larger than the largest
// MINHB, and is left out when an entry is infinite or NaN.
// Three pairs that the last scan found without a move, and that are unchanged, still have
// none: a move depends on nothing but the six players and who of each pair starts.
bool triplePhase(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace) {
    prepareScan(costs, pairing, work);
    const int P = work.starterCount;
    const auto& starters = work.starters;
    const auto& SOU = pairing.SOU;
    const double* own = work.ownCost.data();
    const double* floorOf = costs.least.data();  // by position
    const bool keyed = std::isfinite(costs.largest);
    const double slack = costs.largest * (32 * std::numeric_limits<double>::epsilon());
    double* key = work.pairKey.data();
    int later = P;
    int changedAfter = 0;  // the first changed pair after the first pair
    for (int a = 0; a < P; ++a) {
        const int i = starters[a];
        if (i > pairing.N - 2) break;
        dropPair(work.byOwnCost.data(), later, a);
        while (changedAfter < work.changedCount && work.changedPairs[changedAfter] <= a) ++changedAfter;
        if (later < 2) break;
        // The last scan tried every third pair with the pairs of i and j when both are as it
        // saw them and come before its move.
        const bool firstTried = work.triplesKnown && !work.pairChanged[a] && i <= work.movedI;
        if (firstTried && i < work.movedI && changedAfter == work.changedCount) continue;
        const int i2 = SOU[i];
        const double dearest = own[work.byOwnCost[0]];
        if (!(own[a] + dearest + dearest > floorOf[i] + floorOf[i2])) continue;
        const double* fromI = costs.row(costs.MINHB, i);
        const double* fromI2 = costs.row(costs.MINHB, i2);
        for (int c = a + 1; c < P; ++c) {
            const int k = starters[c];
            key[c] = keyed ? own[c] - std::min(fromI2[k], fromI2[SOU[k]]) : std::numeric_limits<double>::infinity();
        }
        double dearestChangedKey = -std::numeric_limits<double>::infinity();
        for (int n = changedAfter; n < work.changedCount; ++n)
            dearestChangedKey = std::max(dearestChangedKey, key[work.changedPairs[n]]);
        for (int b = a + 1; b < P; ++b) {
            const int j = starters[b];
            const bool tried = firstTried && !work.pairChanged[b] && (i < work.movedI || j < work.movedJ);
            const int j2 = SOU[j];
            const double cij = own[a] + own[b];
            Scan scan{cij, fromI[j], fromI[j2], fromI2, costs.row(costs.MINHB, j2), costs.row(costs.MINHB, j), own, 0, key, 0};
            scan.keyFloor = keyed ? std::min(scan.mij + floorOf[j2], scan.mij2 + floorOf[j]) - cij - slack
                                  : -std::numeric_limits<double>::infinity();
            Found found;
            if (tried) {
                if (!(dearestChangedKey > scan.keyFloor)) continue;
                found = scanChanged(scan, work, pairing, changedAfter);
            } else {
                scan.floor = lowerOf(scan.mij + floorOf[i2] + floorOf[j2], scan.mij2 + floorOf[i2] + floorOf[j]);
                found = scanDearest(scan, work, pairing, later, b);
            }
            if (found.move == 0) continue;
            const int k = starters[found.c];
            rememberScan(work, pairing, i, j);
            applyMove(pairing, found.move, i, j, k);
            ++pairing.KROKU2;
            if (trace)
                trace->push_back({'t', static_cast<std::int16_t>(i), static_cast<std::int16_t>(j),
                                  static_cast<std::int16_t>(k), static_cast<std::int8_t>(found.move)});
            return true;
        }
    }
    return false;
}
