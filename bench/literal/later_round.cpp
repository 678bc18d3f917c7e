// A later round in the benchmark's literal build of los: the literal search, step by step.
// VYRES then sums HB over the pairs found, so those cells are filled from the pair cost.
#include "plain_search.hpp"

void pairLaterRound(const Task& task, CostMatrices& costs, SearchWork&, Pairing& pairing, SearchTrace* trace) {
    pairLaterRoundPlain(task, pairing, trace);
    sizeCostMatrices(costs, task.N);
    for (int s = 1; s <= task.N; ++s) {
        const int t = pairing.SOU[s];
        if (t <= 0) continue;
        bool met = false;
        for (int k = 1; k <= task.KOL; ++k)
            if (task.listNumber[t] == task.SOUP[s][k]) met = true;
        costs.row(costs.HB, s)[t] = pairCost(task, s, t, met);
    }
}
