// Round files in both layouts, the game list and the pairing list.
#include <gtest/gtest.h>

#include "game_files.hpp"

namespace {

TEST(GameFiles, PairingAndByeLinesAsThePairingWritesThem) {
    EXPECT_EQ(pairingLine(5, 12, 1, "Hrac A", "Hrac B"),
              "  5  12   0 0    1  Hrac A                      -   Hrac B                   ");
    EXPECT_EQ(byeLine(16, "Urban Tomas", "BYE"),
              " 16   0 300 300  0  Urban Tomas                 -   BYE                      ");
}

TEST(GameFiles, ResultLineKeepsTheNamesPartByteForByte) {
    TextReader reader("partie1.txt", "  5  12   0 0    1  Hrac A   -   Hrac B\r\n");
    auto tables = readTables(reader, kMaxTableText);
    ASSERT_EQ(tables.size(), 1u);
    tables[0].v1 = 412;
    tables[0].v2 = 380;
    EXPECT_EQ(resultLine(tables[0]), "  5  12   412  380      1  Hrac A   -   Hrac B");
}

TEST(GameFiles, GameListTakesGamesWithASecondPlayerOnly) {
    TextReader reader("partie1.txt", "  5  12   412  380      1  A - B\r\n 16   0 300 300  0  C - BYE\r\n"
                                     "  1   2   0 0    2  D - E\r\n\r\n");
    auto games = readGames(reader);
    EXPECT_EQ(games.size(), 3u) << "a trailing blank line is no line";
    EXPECT_EQ(gameListText(gameList({games})), "  5  12 412 380\r\n  1   2   0   0\r\n");
}

TEST(GameFiles, PairingListLeadingNumbers) {
    TextReader reader("los2.txt", " 12   7      3   9     2.0  2.0   2 -2   1508.5 1604.9\r\n 15   0     14\r\n");
    auto pairs = readPairingList(reader);
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0], std::make_pair(12, 7));
    EXPECT_EQ(pairs[1], std::make_pair(15, 0));
}

TEST(GameFiles, FileNames) {
    EXPECT_EQ(roundFileName(12), "partie12.txt");
    EXPECT_EQ(pairingListName(1), "los1.txt");
}

}  // namespace
