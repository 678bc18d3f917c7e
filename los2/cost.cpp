// Pair costs: score gap, drift of the opponents' strength from the score group's, the score
// balance, and surcharges for unbalanced or repeated starts; a repeat is prohibitive.
#include "cost.hpp"

#include <cmath>

namespace {

// Surcharge for the absolute value k of a balance or run: free up to 1, then the two steps,
// then 500 per step beyond 3.
double surcharge(int value, double two, double three) {
    int k = std::abs(value);
    if (k <= 1) return 0;
    if (k == 2) return two;
    if (k == 3) return three;
    return 500.0 * (k - 3);
}

}  // namespace

double startBalanceSurcharge(int balance) { return surcharge(balance, 25, 150); }
double startRunSurcharge(int run) { return surcharge(run, 5, 50); }

void sizeCostMatrices(CostMatrices& costs, std::int32_t n) {
    costs.N = n;
    std::size_t cells = static_cast<std::size_t>(n + 1) * (n + 1);
    costs.HB.assign(cells, 0.0);
    costs.MINHB.assign(cells, 0.0);
}

double pairCost(const Task& task, int p, int q, bool met) {
    if (p == q || met) return kForbidden;
    const int KOL = task.KOL;
    const double ARO1 = (KOL * task.ARO[p] + task.rating[q] - kFirstMove) / (KOL + 1);
    const double ARO2 = (KOL * task.ARO[q] + task.rating[p] + kFirstMove) / (KOL + 1);
    const int BP1 = task.PB[p] - task.PB[q] + task.BP[p];
    const int BP2 = task.PB[q] - task.PB[p] + task.BP[q];
    const int Z1 = task.ZAC[p] + 1;
    const int Z2 = task.ZAC[q] - 1;
    const int ZZ1 = task.ZACZ[p] < 0 ? 1 : task.ZACZ[p] + 1;
    const int ZZ2 = task.ZACZ[q] > 0 ? -1 : task.ZACZ[q] - 1;
    const int gap = std::abs(task.PB[p] - task.PB[q]);
    double R1 = std::fabs(ARO1 - task.AROPR[task.PB[p]]) + 50.0 * std::abs(BP1) + 500.0 * gap;
    double R2 = std::fabs(ARO2 - task.AROPR[task.PB[q]]) + 50.0 * std::abs(BP2) + 500.0 * gap;
    R1 = R1 + startBalanceSurcharge(Z1);
    R1 = R1 + startRunSurcharge(ZZ1);
    R2 = R2 + startBalanceSurcharge(Z2);
    R2 = R2 + startRunSurcharge(ZZ2);
    double cost = (R1 * R1 + R2 * R2) / 10000.0;
    // A starter on a run of starts against a second player on a run of second moves.
    if (task.ZAC[p] >= 0 && task.ZACZ[p] > 0 && task.ZAC[q] <= 0 && task.ZACZ[q] < 0) cost = cost + 1;
    return cost;
}

void buildHB(const Task& task, CostMatrices& costs) {
    const int N = task.N;
    for (int p = 1; p <= N; ++p) {
        // Whom p has met, by list number; only p's own first KOL entries count.
        std::array<bool, 256> met{};
        for (int k = 1; k <= task.KOL; ++k) met[task.SOUP[p][k]] = true;
        double* hb = costs.row(costs.HB, p);
        for (int q = 1; q <= N; ++q) {
            const int list = task.listNumber[q];
            hb[q] = pairCost(task, p, q, list >= 0 && list <= 255 && met[list]);
        }
    }
}

void buildMINHB(CostMatrices& costs) {
    const int N = costs.N;
    for (int p = 1; p <= N; ++p) {
        double* minhb = costs.row(costs.MINHB, p);
        const double* hb = costs.row(costs.HB, p);
        for (int q = 1; q <= N; ++q) {
            const double there = hb[q];
            const double back = costs.row(costs.HB, q)[p];
            minhb[q] = there < back ? there : back;
        }
    }
}

double pairingCost(const CostMatrices& costs, const std::array<std::int16_t, NMAX + 1>& SOU) {
    double total = 0;
    for (int s = 1; s <= costs.N; ++s)
        if (SOU[s] > 0) total = total + costs.row(costs.HB, s)[SOU[s]];
    return total;
}
