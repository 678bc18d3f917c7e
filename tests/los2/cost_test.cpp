// Pair costs: the worked example of two players, the forbidden pairs, the surcharges and
// the cheaper direction.
#include <gtest/gtest.h>

#include "cost.hpp"
#include "sample_tasks.hpp"
#include "task_helpers.hpp"

namespace {

// The two players of the worked example: KOL 3, score group 4 with AROPR 1560.
std::unique_ptr<Task> exampleTask() {
    auto task = std::make_unique<Task>();
    task->KOL = 3;
    task->N = 2;
    task->AROPR[4] = 1560;
    task->listNumber = {0, 1, 2};
    task->PB = {0, 4, 4};
    task->rating = {0, 1620, 1550};
    task->ARO = {0, 1500, 1580};
    task->BP = {0, 1, -1};
    task->ZAC = {0, 1, -1};
    task->ZACZ = {0, 1, -1};
    task->SOUP[1] = {0, 7, 8, 9};
    task->SOUP[2] = {0, 10, 11, 12};
    return task;
}

TEST(Cost, WorkedExampleOfTwoPlayers) {
    auto task = exampleTask();
    CostMatrices costs;
    sizeCostMatrices(costs, 2);
    buildHB(*task, costs);
    buildMINHB(costs);
    // p starting pays both start surcharges twice and the +1 for runs meeting head on.
    EXPECT_NEAR(costs.row(costs.HB, 1)[2], 4.2614645, 1e-9);
    EXPECT_NEAR(costs.row(costs.HB, 2)[1], 1.2985145, 1e-9);
    EXPECT_EQ(costs.row(costs.MINHB, 1)[2], costs.row(costs.HB, 2)[1]);
    EXPECT_EQ(costs.row(costs.MINHB, 2)[1], costs.row(costs.HB, 2)[1]);
    EXPECT_EQ(costs.row(costs.HB, 1)[1], kForbidden);
    EXPECT_EQ(costs.row(costs.HB, 2)[2], kForbidden);
}

TEST(Cost, EarlierOpponentIsForbiddenInTheDirectionOfTheListThatNamesHim) {
    auto task = exampleTask();
    task->SOUP[1][2] = 2;  // p lists q; q's list does not name p
    CostMatrices costs;
    sizeCostMatrices(costs, 2);
    buildHB(*task, costs);
    EXPECT_EQ(costs.row(costs.HB, 1)[2], kForbidden);
    EXPECT_NEAR(costs.row(costs.HB, 2)[1], 1.2985145, 1e-9);

    // Entries past the KOL-th are never consulted.
    task = exampleTask();
    task->KOL = 2;
    task->SOUP[1][3] = 2;
    buildHB(*task, costs);
    EXPECT_LT(costs.row(costs.HB, 1)[2], kForbidden);
}

TEST(Cost, StartSurchargesByAbsoluteValue) {
    const int values[] = {0, 1, -1, 2, -2, 3, -3, 4, -5};
    const double balance[] = {0, 0, 0, 25, 25, 150, 150, 500, 1000};
    const double run[] = {0, 0, 0, 5, 5, 50, 50, 500, 1000};
    for (int n = 0; n < 9; ++n) {
        EXPECT_EQ(startBalanceSurcharge(values[n]), balance[n]) << values[n];
        EXPECT_EQ(startRunSurcharge(values[n]), run[n]) << values[n];
    }
}

TEST(Cost, OppositeRunsMakeStartingFreeForTheOneOnSecondMoves) {
    auto task = exampleTask();
    task->BP = {0, 0, 0};
    task->ZAC = {0, 0, 0};
    task->ZACZ = {0, 1, -1};
    task->ARO = {0, 1500, 1500};
    task->rating = {0, 1500, 1500};
    task->AROPR[4] = 1500;
    // q starting: runs 1 and -1 after the game, balances 1 and -1, no surcharge.
    const double qStarts = pairCost(*task, 2, 1, false);
    const double pStarts = pairCost(*task, 1, 2, false);
    const double drift = 1500 - (3 * 1500.0 + 1500 - 34.6) / 4;  // each side's ARO drift
    EXPECT_NEAR(qStarts, 2 * drift * drift / 10000, 1e-12);
    // p starting reaches a run of 2 (5) and q a run of -2 (5); runs meet head on (+1).
    EXPECT_NEAR(pStarts, 2 * (drift + 5) * (drift + 5) / 10000 + 1, 1e-12);
}

TEST(Cost, MatrixRowsEqualTheSinglePairCostBitForBit) {
    for (int round : {2, 9, 24}) {
        auto task = taskFrom(simulatedTaskFile(60, round, 5));
        CostMatrices costs;
        sizeCostMatrices(costs, task->N);
        buildHB(*task, costs);
        for (int p = 1; p <= task->N; ++p)
            for (int q = 1; q <= task->N; ++q) {
                bool met = false;
                for (int k = 1; k <= task->KOL; ++k) met = met || task->SOUP[p][k] == task->listNumber[q];
                ASSERT_EQ(costs.row(costs.HB, p)[q], pairCost(*task, p, q, met)) << round << ": " << p << ", " << q;
            }
    }
}

}  // namespace
