// Reading zadani.txt: fields, opponent lists ending with the line, score groups, and the
// stops at the capacities and field ranges.
#include <gtest/gtest.h>

#include "task_helpers.hpp"

namespace {

TEST(TaskFile, ReadsFieldsAndOpponentListsUpToTheLineEnd) {
    auto task = taskFrom(
        "2\r\n"
        " 14  23  2.5 1623.4 1544.0   3  1  2  3 19\r\n"
        "  3   7  1.0 1500.0 1580.2  -1 -1 -2 14\r\n"
        " 19 101  0.0 1400.0 1450.0  -3  0 -1 14  3\r\n");
    EXPECT_EQ(task->KOL, 2);
    ASSERT_EQ(task->N, 3);
    EXPECT_EQ(task->listNumber[1], 14);
    EXPECT_EQ(task->playerNumber[1], 23);
    EXPECT_EQ(task->PB[1], 5);
    EXPECT_DOUBLE_EQ(task->rating[1], 1623.4);
    EXPECT_DOUBLE_EQ(task->ARO[1], 1544.0);
    EXPECT_EQ(task->BP[1], 3);
    EXPECT_EQ(task->ZAC[1], 1);
    EXPECT_EQ(task->ZACZ[1], 2);
    EXPECT_EQ(task->SOUP[1][1], 3);
    EXPECT_EQ(task->SOUP[1][2], 19);
    // A bye left one entry; the missing one stays 0 and does not take the next line's number.
    EXPECT_EQ(task->SOUP[2][1], 14);
    EXPECT_EQ(task->SOUP[2][2], 0);
    EXPECT_EQ(task->listNumber[3], 19);
    EXPECT_EQ(task->SOUP[3][2], 3);
}

TEST(TaskFile, ScoreGroupsOddGroupsTakeInTheirNeighbours) {
    // Half points 4, 4 and 3 with KOL 2; v = (2*ARO + rating)/3.
    auto task = taskFrom(
        "2\r\n"
        "1 1 2.0 1600.0 1500.0 0 0 0 2 3\r\n"
        "2 2 2.0 1700.0 1400.0 0 0 0 1 3\r\n"
        "3 3 1.5 1300.0 1600.0 0 0 0 1 2\r\n");
    const double v1 = (2 * 1500.0 + 1600) / 3, v2 = (2 * 1400.0 + 1700) / 3, v3 = (2 * 1600.0 + 1300) / 3;
    EXPECT_DOUBLE_EQ(task->AROPR[4], (v1 + v2) / 2);
    EXPECT_NEAR(task->AROPR[3], (v1 + v2 + v3) / 3, 1e-9);
    EXPECT_EQ(task->AROPR[2], 0);
    EXPECT_EQ(task->AROPR[1], 0);
    EXPECT_EQ(task->AROPR[0], 0);

    auto first = taskFrom("0\r\n1 1 0.0 1600.0 0.0 0 0 0\r\n2 2 0.0 1500.0 0.0 0 0 0\r\n");
    EXPECT_DOUBLE_EQ(first->AROPR[0], 1550);
}

std::optional<std::string> overLimit(const std::string& text) {
    Task task;
    TextReader reader("zadani.txt", text);
    return readTask(reader, task);
}

TEST(TaskFile, CapacitiesAreReportedByName) {
    std::string players = "1\r\n";
    for (int p = 1; p <= NMAX; ++p) players += std::to_string(p) + " 1 0.0 1500.0 1500.0 0 0 0 1\r\n";
    EXPECT_EQ(overLimit(players), std::nullopt);
    players += "151 1 0.0 1500.0 1500.0 0 0 0 1\r\n";
    EXPECT_EQ(overLimit(players), "Soubor zadani.txt: vice nez 150 hracu");

    EXPECT_EQ(overLimit("23\r\n"), std::nullopt);
    EXPECT_EQ(overLimit("24\r\n"), "Soubor zadani.txt: vice nez 23 odehranych kol");

    std::string entries = "1 1 0.0 1500.0 1500.0 0 0 0";
    for (int k = 1; k <= kMaxOpponents; ++k) entries += " 2";
    EXPECT_EQ(overLimit("23\r\n" + entries + "\r\n"), std::nullopt);
    EXPECT_EQ(overLimit("23\r\n" + entries + " 2\r\n"), "Soubor zadani.txt: vice nez 23 souperu na radku");
}

TEST(TaskFileDeathTest, FieldsOutOfRangeAreRunTimeError201) {
    EXPECT_EXIT(overLimit("1\r\n1 1 0.0 1500.0 1500.0 32768 0 0 2\r\n"), testing::ExitedWithCode(201), "Runtime error 201");
    EXPECT_EXIT(overLimit("1\r\n-32769 1 0.0 1500.0 1500.0 0 0 0 2\r\n"), testing::ExitedWithCode(201), "");
    EXPECT_EXIT(overLimit("1\r\n1 1 0.0 1500.0 1500.0 0 0 0 256\r\n"), testing::ExitedWithCode(201), "souper 256");
    EXPECT_EXIT(overLimit("1\r\n1 1 80.0 1500.0 1500.0 0 0 0 2\r\n"), testing::ExitedWithCode(201), "");
    EXPECT_EXIT(overLimit("1\r\n1 1 1.0 1500.0 x 0 0 0 2\r\n"), testing::ExitedWithCode(106), "");
}

}  // namespace
