// The pair phase: every pass applies the best re-pairing of two pairs. The gains are kept per
// two starters, with the best of every row, and recomputed only for the pairs that changed.
#include "search_phases.hpp"

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double kNoGain = -std::numeric_limits<double>::infinity();

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
    const double* fromI = c.costs.row(c.costs.HB, i);
    const double* fromJ = c.costs.row(c.costs.HB, j);
    const double* fromI2 = c.costs.row(c.costs.HB, i2);
    const double* fromJ2 = c.costs.row(c.costs.HB, j2);
    // A new pair {a, b} costs HB[a][b] unless HB[b][a] is strictly less.
    auto cost = [](double there, double back) { return there > back ? back : there; };
    const double C = fromI[i2] + fromJ[j2];
    const double gain1 = C - cost(fromI[j2], fromJ2[i]) - cost(fromJ[i2], fromI2[j]);
    const double gain2 = C - cost(fromI[j], fromJ[i]) - cost(fromI2[j2], fromJ2[i2]);
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

// Best gain of row i: the largest, the first j among equals; NaN gains never count.
void findRowBest(SearchWork& work, int i) {
    double best = kNoGain;
    int partner = 0;
    const double* gains = work.gain.data() + cell(work, i, 0);
    for (int n = work.starterCount - 1; n >= 0 && work.starters[n] > i; --n) {
        const int j = work.starters[n];
        if (gains[j] >= best) {
            best = gains[j];
            partner = j;
        }
    }
    work.rowGain[i] = best;
    work.rowPartner[i] = static_cast<std::int16_t>(partner);
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

// After a move that replaced the pairs of old1 and old2 by those of new1 and new2: the
// gains of the new pairs, and every row best that they change or that leant on an old pair.
void refresh(const PairCosts& c, const Pairing& pairing, SearchWork& work, int old1, int old2, int new1, int new2) {
    listStarters(pairing, work);
    for (int n = 0; n < work.starterCount; ++n) {
        const int x = work.starters[n];
        if (x == new1 || x == new2) continue;
        if (x < new1) evaluate(c, pairing, work, x, new1);
        else evaluate(c, pairing, work, new1, x);
        if (x < new2) evaluate(c, pairing, work, x, new2);
        else evaluate(c, pairing, work, new2, x);
    }
    evaluate(c, pairing, work, std::min(new1, new2), std::max(new1, new2));
    for (int n = 0; n < work.starterCount; ++n) {
        const int x = work.starters[n];
        const int partner = work.rowPartner[x];
        if (x == new1 || x == new2 || partner == old1 || partner == old2) {
            findRowBest(work, x);
            continue;
        }
        for (int s : {new1, new2}) {
            if (s <= x) continue;
            const double g = work.gain[cell(work, x, s)];
            if (g > work.rowGain[x] || (g == work.rowGain[x] && s < work.rowPartner[x])) {
                work.rowGain[x] = g;
                work.rowPartner[x] = static_cast<std::int16_t>(s);
            }
        }
    }
}

// Gains for the pairing as it stands: all of them on the first visit; later only those of
// the pairs that the triple move and the direction step have changed since, and the row
// bests that they change or that leant on a changed pair.
void prepareGains(const PairCosts& c, const Pairing& pairing, SearchWork& work) {
    listStarters(pairing, work);
    const auto& SOU = pairing.SOU;
    auto changed = [&](int p) { return !work.gainsKept || SOU[p] != work.evaluatedSOU[p]; };
    std::array<std::int16_t, NMAX + 1> changedStarters;
    int changedCount = 0;
    for (int a = 0; a < work.starterCount; ++a)
        if (changed(work.starters[a])) changedStarters[changedCount++] = static_cast<std::int16_t>(a);
    // Every two starters of which at least one changed: a changed one with all later ones, an
    // unchanged one with the later changed ones.
    for (int a = 0, next = 0; a < work.starterCount; ++a) {
        const int i = work.starters[a];
        if (next < changedCount && changedStarters[next] == a) {
            ++next;
            for (int b = a + 1; b < work.starterCount; ++b) evaluate(c, pairing, work, i, work.starters[b]);
        } else {
            for (int n = next; n < changedCount; ++n) evaluate(c, pairing, work, i, work.starters[changedStarters[n]]);
        }
    }
    for (int n = 0; n < changedCount; ++n) changedStarters[n] = work.starters[changedStarters[n]];
    for (int a = 0; a < work.starterCount; ++a) {
        const int x = work.starters[a];
        const int partner = work.rowPartner[x];
        if (changed(x) || (partner != 0 && changed(partner))) {
            findRowBest(work, x);
            continue;
        }
        for (int n = 0; n < changedCount; ++n) {
            const int s = changedStarters[n];
            if (s <= x) continue;
            const double g = work.gain[cell(work, x, s)];
            if (g > work.rowGain[x] || (g == work.rowGain[x] && s < work.rowPartner[x])) {
                work.rowGain[x] = g;
                work.rowPartner[x] = static_cast<std::int16_t>(s);
            }
        }
    }
    work.evaluatedSOU = SOU;
    work.gainsKept = true;
}

}  // namespace

void pairPhase(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace) {
    const PairCosts c{costs};
    prepareGains(c, pairing, work);
    for (;;) {
        ++pairing.KROKU;
        // The best gain of the pass; a later pair must gain strictly more.
        double G = 0;
        int bestI = 0;
        for (int a = 0; a < work.starterCount; ++a) {
            const int i = work.starters[a];
            if (work.rowGain[i] > G) {
                G = work.rowGain[i];
                bestI = i;
            }
        }
        if (bestI == 0) return;
        const int bestJ = work.rowPartner[bestI];
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
        refresh(c, pairing, work, bestI, bestJ, starterOf(pairing, bestI), starterOf(pairing, move == 1 ? bestJ : i2));
        work.evaluatedSOU = pairing.SOU;
    }
}
