// The pair phase: every pass applies the best re-pairing of two pairs. The gains are kept per
// two starters and recomputed only for the pairs a move created.
#include "search_phases.hpp"

#include <cmath>

namespace {

struct PairCosts {
    const CostMatrices& costs;

    double hb(int a, int b) const { return costs.row(costs.HB, a)[b]; }
    // A new pair {a, b}: a starts unless that is strictly dearer.
    bool firstStarts(int a, int b) const { return !(hb(a, b) > hb(b, a)); }
    double cost(int a, int b) const { return firstStarts(a, b) ? hb(a, b) : hb(b, a); }
};

std::size_t cell(const SearchWork& work, int i, int j) { return static_cast<std::size_t>(i) * (work.N + 1) + j; }

// Gain of move 1 ({i, j2}, {j, i2}) and move 2 ({i, j}, {i2, j2}) for the pairs started by
// i < j; the first of two equal gains is kept, as the pass would.
void evaluate(const PairCosts& c, const Pairing& pairing, SearchWork& work, int i, int j) {
    const int i2 = pairing.SOU[i];
    const int j2 = pairing.SOU[j];
    const double C = c.hb(i, i2) + c.hb(j, j2);
    const double gain1 = C - c.cost(i, j2) - c.cost(j, i2);
    const double gain2 = C - c.cost(i, j) - c.cost(i2, j2);
    const std::size_t at = cell(work, i, j);
    // (A NaN gain never beats anything in the pass, so it must not hide the other move.)
    if (gain2 > gain1 || std::isnan(gain1)) {
        work.gain[at] = gain2;
        work.move[at] = 2;
    } else {
        work.gain[at] = gain1;
        work.move[at] = 1;
    }
}

// Gains of the pairs started by s against every other starter.
void evaluateWith(const PairCosts& c, const Pairing& pairing, SearchWork& work, int s) {
    for (int n = 0; n < work.starterCount; ++n) {
        const int x = work.starters[n];
        if (x < s) evaluate(c, pairing, work, x, s);
        else if (x > s) evaluate(c, pairing, work, s, x);
    }
}

void setPair(const PairCosts& c, Pairing& pairing, int a, int b) {
    if (c.firstStarts(a, b)) {
        pairing.SOU[a] = static_cast<std::int16_t>(b);
        pairing.SOU[b] = static_cast<std::int16_t>(-a);
    } else {
        pairing.SOU[b] = static_cast<std::int16_t>(a);
        pairing.SOU[a] = static_cast<std::int16_t>(-b);
    }
}

int starterOf(const Pairing& pairing, int p) { return pairing.SOU[p] > 0 ? p : -pairing.SOU[p]; }

}  // namespace

void pairPhase(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace) {
    const PairCosts c{costs};
    listStarters(pairing, work);
    for (int a = 0; a < work.starterCount; ++a)
        for (int b = a + 1; b < work.starterCount; ++b) evaluate(c, pairing, work, work.starters[a], work.starters[b]);
    for (;;) {
        ++pairing.KROKU;
        // The best gain of the pass; a later pair must gain strictly more.
        double G = 0;
        int bestI = 0, bestJ = 0;
        for (int a = 0; a < work.starterCount; ++a) {
            const int i = work.starters[a];
            const double* gains = work.gain.data() + cell(work, i, 0);
            for (int b = a + 1; b < work.starterCount; ++b) {
                const int j = work.starters[b];
                if (gains[j] > G) {
                    G = gains[j];
                    bestI = i;
                    bestJ = j;
                }
            }
        }
        if (bestI == 0) return;
        const int i2 = pairing.SOU[bestI];
        const int j2 = pairing.SOU[bestJ];
        const int move = work.move[cell(work, bestI, bestJ)];
        if (move == 1) {
            setPair(c, pairing, bestI, j2);
            setPair(c, pairing, bestJ, i2);
        } else {
            setPair(c, pairing, bestI, bestJ);
            setPair(c, pairing, i2, j2);
        }
        if (trace) trace->push_back({'p', static_cast<std::int16_t>(bestI), static_cast<std::int16_t>(bestJ), 0,
                                     static_cast<std::int8_t>(move)});
        if (G < kLeastGain || pairing.KROKU > kPassLimit) return;
        listStarters(pairing, work);
        const int first = starterOf(pairing, bestI);
        const int second = starterOf(pairing, move == 1 ? bestJ : i2);
        evaluateWith(c, pairing, work, first);
        evaluateWith(c, pairing, work, second);
    }
}
