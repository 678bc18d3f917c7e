// A later round: the cost matrices, the greedy start and the improvement loop. Kept apart so
// that the benchmark's literal build of los can put the literal search in its place.
#include "search.hpp"

void pairLaterRound(const Task& task, CostMatrices& costs, SearchWork& work, Pairing& pairing, SearchTrace* trace) {
    sizeCostMatrices(costs, task.N);
    sizeSearchWork(work, task.N);
    buildHB(task, costs);
    pairGreedy(costs, pairing);
    buildMINHB(costs);
    improvePairing(costs, pairing, work, trace);
}
