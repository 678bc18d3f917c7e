// The literal search: every loop in its plain order, with nothing kept
// between passes. Slow on purpose; it is the measure of the fast one.
#include "plain_search.hpp"

#include <memory>

namespace {

struct POLE {
    double cell[NMAX + 1];
};

using Matrix = std::vector<std::unique_ptr<POLE>>;

struct Plain {
    const Task& task;
    Pairing& pairing;
    SearchTrace* trace;
    Matrix HB, MINHB;
    std::int16_t* SOU = pairing.SOU.data();
    int N = pairing.N;

    void buildMatrices() {
        HB.resize(N + 1);
        for (int p = 1; p <= N; ++p) {
            HB[p] = std::make_unique<POLE>();
            for (int q = 1; q <= N; ++q) {
                bool met = false;
                for (int k = 1; k <= task.KOL; ++k)
                    if (task.listNumber[q] == task.SOUP[p][k]) met = true;
                HB[p]->cell[q] = pairCost(task, p, q, met);
            }
        }
    }

    void buildMINHB() {
        MINHB.resize(N + 1);
        for (int p = 1; p <= N; ++p) {
            MINHB[p] = std::make_unique<POLE>();
            for (int q = 1; q <= N; ++q)
                MINHB[p]->cell[q] = HB[p]->cell[q] < HB[q]->cell[p] ? HB[p]->cell[q] : HB[q]->cell[p];
        }
    }

    double hb(int a, int b) const { return HB[a]->cell[b]; }
    double minhb(int a, int b) const { return MINHB[a]->cell[b]; }

    void greedy() {
        for (int i = 1; i <= N - 1; ++i) {
            if (SOU[i] != 0) continue;
            int best = 0, dir = 0;
            double bestCost = 0;
            for (int j = i + 1; j <= N; ++j) {
                if (SOU[j] != 0) continue;
                if (best == 0 || hb(i, j) < bestCost) best = j, dir = 1, bestCost = hb(i, j);
                if (hb(j, i) < bestCost) best = j, dir = -1, bestCost = hb(j, i);
            }
            if (best != 0) SOU[i] = static_cast<std::int16_t>(dir * best), SOU[best] = static_cast<std::int16_t>(-dir * i);
        }
    }

    void direction() {
        for (int p = 1; p <= N; ++p) {
            int q = SOU[p];
            if (q > 0 && hb(p, q) > hb(q, p)) {
                SOU[p] = static_cast<std::int16_t>(-q), SOU[q] = static_cast<std::int16_t>(p);
                if (trace) trace->push_back({'d', static_cast<std::int16_t>(p), 0, 0, 0});
            }
        }
    }

    // New pair {a, b}: a starts unless HB[a][b] > HB[b][a].
    double newCost(int a, int b, int& starter) const {
        if (hb(a, b) > hb(b, a)) {
            starter = b;
            return hb(b, a);
        }
        starter = a;
        return hb(a, b);
    }

    void setPair(int starter, int a, int b) {
        int other = starter == a ? b : a;
        SOU[starter] = static_cast<std::int16_t>(other), SOU[other] = static_cast<std::int16_t>(-starter);
    }

    void pairPhase() {
        for (;;) {
            ++pairing.KROKU;
            double G = 0;
            int bestMove = 0, ba = 0, bb = 0, bc = 0, bd = 0, s1 = 0, s2 = 0, bi = 0, bj = 0;
            for (int i = 1; i <= N; ++i) {
                if (SOU[i] <= 0) continue;
                for (int j = i + 1; j <= N; ++j) {
                    if (SOU[j] <= 0) continue;
                    int i2 = SOU[i], j2 = SOU[j];
                    double C = hb(i, i2) + hb(j, j2);
                    int st1 = 0, st2 = 0;
                    double c1 = newCost(i, j2, st1);
                    double c2 = newCost(j, i2, st2);
                    if (C - c1 - c2 > G) {
                        G = C - c1 - c2;
                        bestMove = 1, ba = i, bb = j2, bc = j, bd = i2, s1 = st1, s2 = st2, bi = i, bj = j;
                    }
                    c1 = newCost(i, j, st1);
                    c2 = newCost(i2, j2, st2);
                    if (C - c1 - c2 > G) {
                        G = C - c1 - c2;
                        bestMove = 2, ba = i, bb = j, bc = i2, bd = j2, s1 = st1, s2 = st2, bi = i, bj = j;
                    }
                }
            }
            if (bestMove == 0) return;
            setPair(s1, ba, bb);
            setPair(s2, bc, bd);
            if (trace)
                trace->push_back({'p', static_cast<std::int16_t>(bi), static_cast<std::int16_t>(bj), 0,
                                  static_cast<std::int8_t>(bestMove)});
            if (G < kLeastGain || pairing.KROKU > kPassLimit) return;
        }
    }

    bool triplePhase() {
        for (int i = 1; i <= N - 2; ++i) {
            if (SOU[i] <= 0) continue;
            for (int j = i + 1; j <= N; ++j) {
                if (SOU[j] <= 0) continue;
                for (int k = i + 1; k <= N; ++k) {
                    if (k == j || SOU[k] <= 0) continue;
                    int i2 = SOU[i], j2 = SOU[j], k2 = SOU[k];
                    double C = minhb(i, i2) + minhb(j, j2) + minhb(k, k2);
                    const int moves[4][6] = {{i, j, i2, k, j2, k2},
                                             {i, j, i2, k2, j2, k},
                                             {i, j2, i2, k, j, k2},
                                             {i, j2, i2, k2, j, k}};
                    for (int m = 0; m < 4; ++m) {
                        const int* t = moves[m];
                        if (minhb(t[0], t[1]) + minhb(t[2], t[3]) + minhb(t[4], t[5]) < C) {
                            ++pairing.KROKU2;
                            setPair(t[0], t[0], t[1]), setPair(t[2], t[2], t[3]), setPair(t[4], t[4], t[5]);
                            if (trace)
                                trace->push_back({'t', static_cast<std::int16_t>(i), static_cast<std::int16_t>(j),
                                                  static_cast<std::int16_t>(k), static_cast<std::int8_t>(m + 1)});
                            return true;
                        }
                    }
                }
            }
        }
        return false;
    }

    double cost() const {
        double total = 0;
        for (int s = 1; s <= N; ++s)
            if (SOU[s] > 0) total = total + hb(s, SOU[s]);
        return total;
    }
};

}  // namespace

double pairLaterRoundPlain(const Task& task, Pairing& pairing, SearchTrace* trace) {
    Plain plain{task, pairing, trace, {}, {}};
    plain.buildMatrices();
    plain.greedy();
    plain.buildMINHB();
    clearByeMarker(pairing);
    LoopWatch watch;
    for (;;) {
        plain.direction();
        plain.pairPhase();
        if (watch.endless(pairing) || !plain.triplePhase()) break;
    }
    return plain.cost();
}
