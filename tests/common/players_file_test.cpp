// Reading osoby.dat: one separator consumed, empty names, length limits, last line wins.
#include <gtest/gtest.h>

#include "players_file.hpp"

namespace {

PlayerNames read(const std::string& text, std::size_t limit) {
    TextReader reader("osoby.dat", text);
    return readPlayerNames(reader, limit);
}

TEST(PlayersFile, SeparatorNamesAndLimits) {
    auto names = read("12 Hrac A\r\n13  Hrac B\r\n14\tHrac C\n 15\r\n16 " + std::string(40, 'x') + "\r\n", 30);
    EXPECT_EQ(playerName(names, 12), "Hrac A");
    EXPECT_EQ(playerName(names, 13), " Hrac B") << "only one separator character is consumed";
    EXPECT_EQ(playerName(names, 14), "Hrac C");
    EXPECT_EQ(playerName(names, 15), "");
    EXPECT_EQ(playerName(names, 16), std::string(30, 'x'));
    EXPECT_EQ(playerName(names, 99), "") << "an unknown number has an empty name";
    EXPECT_EQ(playerName(read("16 " + std::string(40, 'x'), 25), 16), std::string(25, 'x'));
}

TEST(PlayersFile, LastLineWinsAndTrailingBlankLinesAreNoPlayer) {
    auto names = read("12 Prvni\r\n7 Sedmy\r\n12 Druhy\r\n\r\n\r\n", 25);
    EXPECT_EQ(names.size(), 3u);
    EXPECT_EQ(playerName(names, 12), "Druhy");
}

}  // namespace
