// The fast search against the literal one: the same moves in the same order, the same
// counters and the same final cost, on simulated tournaments and on task files full of ties.
#include <gtest/gtest.h>

#include "plain_search.hpp"
#include "sample_tasks.hpp"
#include "task_helpers.hpp"

namespace {

void expectSameSearch(const std::string& text) {
    auto task = taskFrom(text);
    auto fast = searchLaterRound(*task);

    Pairing plain;
    plain.N = task->N;
    chooseBye(*task, plain);
    SearchTrace plainTrace;
    const double plainCost = pairLaterRoundPlain(*task, plain, &plainTrace);

    ASSERT_EQ(fast->trace.size(), plainTrace.size());
    for (std::size_t n = 0; n < plainTrace.size(); ++n) ASSERT_EQ(fast->trace[n], plainTrace[n]) << "step " << n;
    EXPECT_EQ(fast->pairing.SOU, plain.SOU);
    EXPECT_EQ(fast->pairing.KROKU, plain.KROKU);
    EXPECT_EQ(fast->pairing.KROKU2, plain.KROKU2);
    EXPECT_EQ(pairingCost(fast->costs, fast->pairing.SOU), plainCost);
}

TEST(SearchReference, SimulatedTournamentsOfEverySize) {
    const int sizes[] = {5, 12, 31, 64, 97, 150};
    for (int players : sizes)
        for (int round : {2, 3, 7, 13, 24}) {
            SCOPED_TRACE("players " + std::to_string(players) + ", round " + std::to_string(round));
            expectSameSearch(simulatedTaskFile(players, round, static_cast<std::uint32_t>(players * 100 + round)));
        }
}

TEST(SearchReference, RandomFieldsWithManyTies) {
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        expectSameSearch(randomTaskFile(seed));
        if (HasFatalFailure()) return;
    }
}

TEST(SearchReference, CostsBeyondAnySquareOrAnySum) {
    // Ratings so large that pair costs become infinite, and sums of them NaN: the scans must
    // still skip only what the literal search would reject.
    int tasks = 0;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        std::string text = randomTaskFile(seed);
        const auto at = text.find("1650.5");
        if (at == std::string::npos) continue;
        text.replace(at, 6, seed % 2 ? "1e200" : "1e155");
        SCOPED_TRACE("seed " + std::to_string(seed));
        expectSameSearch(text);
        if (HasFatalFailure()) return;
        ++tasks;
    }
    EXPECT_GT(tasks, 50);
}

TEST(SearchReference, SimulatedTournamentsMakeTripleMoves) {
    // The comparison above means little unless the triple phase is exercised.
    int tripleMoves = 0;
    for (int round : {5, 9, 13, 17})
        tripleMoves += searchLaterRound(*taskFrom(simulatedTaskFile(64, round, 7)))->pairing.KROKU2;
    EXPECT_GT(tripleMoves, 0);
}

}  // namespace
