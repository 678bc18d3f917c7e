// Pair costs: score gap, drift of the opponents' strength from the score group's, the score
// balance, and surcharges for unbalanced or repeated starts; a repeat is prohibitive.
#include "cost.hpp"

#include <cmath>
#include <limits>

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
    costs.HB.resize(cells);
    costs.MINHB.resize(cells);
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

namespace {

// What the cost of p against q needs of q, in doubles, so that a row of HB is one
// branch-free loop. Every value is exact, and adding a zero surcharge changes nothing.
struct SecondPlayers {
    std::array<double, NMAX + 1> rating, weightedARO, groupARO, PB, BP, balanceSurcharge, runSurcharge, onSecondRun;
};

void describeSecondPlayers(const Task& task, SecondPlayers& q) {
    for (int p = 1; p <= task.N; ++p) {
        q.rating[p] = task.rating[p];
        q.weightedARO[p] = task.KOL * task.ARO[p];
        q.groupARO[p] = task.AROPR[task.PB[p]];
        q.PB[p] = task.PB[p];
        q.BP[p] = task.BP[p];
        const int ZZ2 = task.ZACZ[p] > 0 ? -1 : task.ZACZ[p] - 1;
        q.balanceSurcharge[p] = startBalanceSurcharge(task.ZAC[p] - 1);
        q.runSurcharge[p] = startRunSurcharge(ZZ2);
        q.onSecondRun[p] = task.ZAC[p] <= 0 && task.ZACZ[p] < 0 ? 1.0 : 0.0;
    }
}

// Row p of HB, the same sums in the same order as pairCost.
void buildRow(const Task& task, const SecondPlayers& q, int p, double* hb) {
    const double rounds = task.KOL + 1;
    const double weightedARO = task.KOL * task.ARO[p];
    const double rating = task.rating[p];
    const double groupARO = task.AROPR[task.PB[p]];
    const double PB = task.PB[p], BP = task.BP[p];
    const int ZZ1 = task.ZACZ[p] < 0 ? 1 : task.ZACZ[p] + 1;
    const double balanceSurcharge = startBalanceSurcharge(task.ZAC[p] + 1);
    const double runSurcharge = startRunSurcharge(ZZ1);
    const double onFirstRun = task.ZAC[p] >= 0 && task.ZACZ[p] > 0 ? 1.0 : 0.0;
    for (int n = 1; n <= task.N; ++n) {
        const double ARO1 = (weightedARO + q.rating[n] - kFirstMove) / rounds;
        const double ARO2 = (q.weightedARO[n] + rating + kFirstMove) / rounds;
        const double gap = std::fabs(PB - q.PB[n]);
        double R1 = std::fabs(ARO1 - groupARO) + 50.0 * std::fabs(PB - q.PB[n] + BP) + 500.0 * gap;
        double R2 = std::fabs(ARO2 - q.groupARO[n]) + 50.0 * std::fabs(q.PB[n] - PB + q.BP[n]) + 500.0 * gap;
        R1 = R1 + balanceSurcharge;
        R1 = R1 + runSurcharge;
        R2 = R2 + q.balanceSurcharge[n];
        R2 = R2 + q.runSurcharge[n];
        hb[n] = (R1 * R1 + R2 * R2) / 10000.0 + onFirstRun * q.onSecondRun[n];
    }
}

}  // namespace

void buildHB(const Task& task, CostMatrices& costs) {
    SecondPlayers second;
    describeSecondPlayers(task, second);
    // The positions of each list number an opponent entry can hold, chained.
    std::array<std::int16_t, 256> firstWith{};
    std::array<std::int16_t, NMAX + 1> nextWith{};
    for (int n = task.N; n >= 1; --n) {
        const int list = task.listNumber[n];
        if (list < 0 || list > 255) continue;
        nextWith[n] = firstWith[list];
        firstWith[list] = static_cast<std::int16_t>(n);
    }
    for (int p = 1; p <= task.N; ++p) {
        double* hb = costs.row(costs.HB, p);
        buildRow(task, second, p, hb);
        hb[p] = kForbidden;
        // Whom p has met, by list number; only p's own first KOL entries count.
        for (int k = 1; k <= task.KOL; ++k)
            for (int n = firstWith[task.SOUP[p][k]]; n != 0; n = nextWith[n]) hb[n] = kForbidden;
    }
}

void buildMINHB(CostMatrices& costs) {
    const int N = costs.N;
    double largest = 0;
    bool number = true;
    for (int p = 1; p <= N; ++p) {
        double* minhb = costs.row(costs.MINHB, p);
        const double* hb = costs.row(costs.HB, p);
        double least = std::numeric_limits<double>::infinity();
        for (int q = 1; q <= N; ++q) {
            const double there = hb[q];
            const double back = costs.row(costs.HB, q)[p];
            const double cost = there < back ? there : back;
            minhb[q] = cost;
            least = cost < least ? cost : least;
            largest = cost > largest ? cost : largest;
            number = number && cost == cost;
        }
        costs.least[p] = least;
    }
    costs.largest = number ? largest : std::numeric_limits<double>::infinity();
}

double pairingCost(const CostMatrices& costs, const std::array<std::int16_t, NMAX + 1>& SOU) {
    double total = 0;
    for (int s = 1; s <= costs.N; ++s)
        if (SOU[s] > 0) total = total + costs.row(costs.HB, s)[SOU[s]];
    return total;
}
