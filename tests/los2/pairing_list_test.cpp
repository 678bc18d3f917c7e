// The pairing list: the example lines, signs and widths, and the order of the lines.
#include <gtest/gtest.h>

#include "pairing_list.hpp"
#include "task_helpers.hpp"

namespace {

// s, t and b of the example lines, at positions 1, 2 and 3 (KOL 2).
std::unique_ptr<Task> exampleTask() {
    return taskFrom(
        "2\r\n"
        "  3  12  2.0 1620.0 1500.0   0  1  1  9 14\r\n"
        "  9   7  2.0 1560.0 1580.0   0 -1 -1  3 14\r\n"
        " 14  15  1.0 1500.0 1500.0   0  0  0  3  9\r\n");
}

TEST(PairingList, ExampleLines) {
    auto task = exampleTask();
    EXPECT_EQ(pairLine(*task, 1, 2), " 12   7      3   9     2.0  2.0   2 -2   1508.5 1604.9");
    EXPECT_EQ(byeListLine(*task, 3), " 15   0     14");
}

TEST(PairingList, WideNegativeStartBalanceTakesItsRoom) {
    auto task = exampleTask();
    task->ZAC[1] = -10;
    task->ZAC[2] = -9;
    EXPECT_EQ(pairLine(*task, 1, 2), " 12   7      3   9     2.0  2.0  -9 -10   1508.5 1604.9");
}

TEST(PairingList, FirstRoundShowsTheOpponentsRatingWithTheFirstMove) {
    auto task = taskFrom("0\r\n1 5 0.0 1600.0 0.0 0 0 0\r\n2 6 0.0 1500.0 0.0 0 0 0\r\n");
    EXPECT_EQ(pairLine(*task, 2, 1), "  6   5      2   1     0.0  0.0   1 -1   1565.4 1534.6");
}

TEST(PairingList, LinesFollowPositionsWithTheByeInItsPlace) {
    auto task = taskFrom(
        "1\r\n"
        "1 1 1.0 1500.0 1500.0 0 0 0 9\r\n"
        "2 2 1.0 1500.0 1500.0 0 0 0 9\r\n"
        "3 3 0.0 1500.0 1500.0 0 0 0 9\r\n"
        "4 4 0.0 1500.0 1500.0 0 0 0 9\r\n"
        "5 5 0.0 1500.0 1500.0 0 0 0 9\r\n");
    Pairing pairing;
    pairing.N = 5;
    pairing.SOU = {0, -4, 0, 5, 1, -3};  // 4 starts against 1, 2 has the bye, 3 starts against 5
    auto lines = pairingListLines(*task, pairing);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(0, 7), "  4   1");
    EXPECT_EQ(lines[1], "  2   0      2");
    EXPECT_EQ(lines[2].substr(0, 7), "  3   5");

    Pairing empty;
    EXPECT_TRUE(pairingListLines(*taskFrom("3\r\n"), empty).empty());
}

}  // namespace
