// The order of the search and its simple steps: bye, random first round, greedy start,
// direction step, and the loop that alternates the pair and triple phases.
#include "search.hpp"

#include "search_phases.hpp"

void sizeSearchWork(SearchWork& work, std::int32_t n) {
    work.N = n;
    const auto side = static_cast<std::size_t>(n + 1);
    work.gain.resize(side * side);
    work.move.resize(side * side);
    work.gainsKept = false;
    work.triplesKnown = false;
    work.starterCount = 0;
}

void chooseBye(const Task& task, Pairing& pairing) {
    pairing.N = task.N;
    if (task.N % 2 == 0) return;
    int bye = 0;
    double bestKey = 0;
    for (int p = 1; p <= task.N; ++p) {
        // A short opponent list (earlier bye or absence) rules the player out.
        if (task.KOL != 0 && task.SOUP[p][task.KOL] == 0) continue;
        const double key = task.PB[p] + task.rating[p] / 10000.0;
        if (bye == 0 || key < bestKey) {
            bye = p;
            bestKey = key;
        }
    }
    if (bye != 0) pairing.SOU[bye] = kByeMarker;
}

void pairFirstRound(Pairing& pairing, RandomGenerator& generator) {
    auto& SOU = pairing.SOU;
    const int pairedCount = pairing.N / 2 * 2;
    // With N odd the last position keeps the bye, whoever was marked.
    for (int p = 1; p <= pairedCount; ++p) SOU[p] = 0;
    int d = Random(generator, 2) == 0 ? 1 : -1;
    for (int i = 1; i <= pairedCount - 1; ++i) {
        if (SOU[i] != 0) continue;
        int L = 0;
        do {
            L = i + 1 + static_cast<int>(Random(generator, static_cast<std::uint32_t>(pairedCount - i)));
        } while (SOU[L] != 0);
        SOU[i] = static_cast<std::int16_t>(d * L);
        SOU[L] = static_cast<std::int16_t>(-d * i);
        d = -d;
    }
}

void pairGreedy(const CostMatrices& costs, Pairing& pairing) {
    auto& SOU = pairing.SOU;
    const int N = pairing.N;
    for (int i = 1; i <= N - 1; ++i) {
        if (SOU[i] != 0) continue;
        const double* fromI = costs.row(costs.HB, i);
        int best = 0;
        bool iStarts = true;
        double bestCost = 0;
        for (int j = i + 1; j <= N; ++j) {
            if (SOU[j] != 0) continue;
            if (best == 0 || fromI[j] < bestCost) {
                best = j;
                iStarts = true;
                bestCost = fromI[j];
            }
            const double back = costs.row(costs.HB, j)[i];
            if (back < bestCost) {
                best = j;
                iStarts = false;
                bestCost = back;
            }
        }
        if (best == 0) continue;
        SOU[i] = static_cast<std::int16_t>(iStarts ? best : -best);
        SOU[best] = static_cast<std::int16_t>(iStarts ? -i : i);
    }
}

void clearByeMarker(Pairing& pairing) {
    for (int p = 1; p <= pairing.N; ++p)
        if (pairing.SOU[p] == kByeMarker) pairing.SOU[p] = 0;
}

void listStarters(const Pairing& pairing, SearchWork& work) {
    int count = 0;
    for (int p = 1; p <= pairing.N; ++p)
        if (pairing.SOU[p] > 0) work.starters[count++] = static_cast<std::int16_t>(p);
    work.starterCount = count;
}

void directionStep(const CostMatrices& costs, Pairing& pairing, SearchTrace* trace) {
    auto& SOU = pairing.SOU;
    for (int p = 1; p <= pairing.N; ++p) {
        const int q = SOU[p];
        if (q <= 0) continue;
        // Equal costs keep the starter.
        if (costs.row(costs.HB, p)[q] > costs.row(costs.HB, q)[p]) {
            SOU[p] = static_cast<std::int16_t>(-q);
            SOU[q] = static_cast<std::int16_t>(p);
            if (trace) trace->push_back({'d', static_cast<std::int16_t>(p), 0, 0, 0});
        }
    }
}

bool LoopWatch::cameRound(const std::array<std::int16_t, NMAX + 1>& SOU) {
    if (seen > 0) {
        ++sinceCheckpoint;
        if (SOU == checkpoint) return true;
        if (sinceCheckpoint < stretch) return false;
        stretch *= 2;
    }
    ++seen;
    checkpoint = SOU;
    sinceCheckpoint = 0;
    return false;
}

void improvePairing(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace) {
    clearByeMarker(pairing);
    work.gainsKept = false;
    work.triplesKnown = false;
    LoopWatch watch;
    for (;;) {
        directionStep(costs, pairing, trace);
        pairPhase(costs, pairing, work, trace);
        if (watch.endless(pairing)) return;
        if (!triplePhase(costs, pairing, work, trace)) return;
    }
}
