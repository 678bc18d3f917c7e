// The search rule and listing test of each game record, the game line layout, and the
// choice of the largest rating rise.
#include <gtest/gtest.h>

#include "records.hpp"

namespace {

// Indexes of the games listed under a record.
std::vector<std::size_t> listed(GameRecord record, const std::vector<Game>& games) {
    const std::int64_t value = recordValue(record, games);
    std::vector<std::size_t> indexes;
    for (std::size_t i = 0; i < games.size(); ++i)
        if (isListed(record, games[i], value)) indexes.push_back(i);
    return indexes;
}

using Indexes = std::vector<std::size_t>;

TEST(GameRecords, DrawnGamesCountOnlyForTotalScoreAndMargin) {
    const std::vector<Game> drawn = {{1, 2, 400, 400}, {3, 4, 350, 350}};
    EXPECT_EQ(listed(GameRecord::HighestTotal, drawn), Indexes{0});
    EXPECT_EQ(listed(GameRecord::HighestScore, drawn), Indexes{0});
    EXPECT_EQ(listed(GameRecord::HighestLosingScore, drawn), Indexes{});
    EXPECT_EQ(recordValue(GameRecord::LargestMargin, drawn), 0);
    EXPECT_EQ(listed(GameRecord::LargestMargin, drawn), (Indexes{0, 1}));
    EXPECT_EQ(listed(GameRecord::NarrowestLoss, drawn), Indexes{});

    // Once one game is decided, a draw no longer has the largest margin nor the narrowest loss.
    const std::vector<Game> mixed = {{1, 2, 400, 400}, {3, 4, 400, 393}, {5, 6, 380, 387}};
    EXPECT_EQ(listed(GameRecord::LargestMargin, mixed), (Indexes{1, 2}));
    EXPECT_EQ(recordValue(GameRecord::NarrowestLoss, mixed), 7);
    EXPECT_EQ(listed(GameRecord::NarrowestLoss, mixed), (Indexes{1, 2}));
}

TEST(GameRecords, EveryGameThatAttainsARecordIsListedInGamesOrder) {
    const std::vector<Game> games = {{1, 2, 500, 501}, {3, 4, 600, 401}, {5, 6, 300, 200}};
    EXPECT_EQ(recordValue(GameRecord::HighestTotal, games), 1001);
    EXPECT_EQ(listed(GameRecord::HighestTotal, games), (Indexes{0, 1}));
    EXPECT_EQ(listed(GameRecord::HighestScore, games), Indexes{1});
    EXPECT_EQ(listed(GameRecord::LargestMargin, games), Indexes{1});
    EXPECT_EQ(listed(GameRecord::NarrowestLoss, games), Indexes{0});
}

TEST(GameRecords, HighestLosingScore) {
    // The search takes a game only when both its scores beat the value found so far.
    const std::vector<Game> games = {{1, 2, 500, 478}, {3, 4, 600, 300}, {5, 6, 479, 480}, {7, 8, 490, 490}};
    EXPECT_EQ(recordValue(GameRecord::HighestLosingScore, games), 479);
    EXPECT_EQ(listed(GameRecord::HighestLosingScore, games), Indexes{2});

    // A loser without a point: the value stays 0 and every decided game reaches it.
    const std::vector<Game> whitewash = {{1, 2, 443, 0}, {3, 4, 400, 400}, {5, 6, 0, 12}};
    EXPECT_EQ(listed(GameRecord::HighestLosingScore, whitewash), (Indexes{0, 2}));
}

TEST(GameRecords, GameLineLayout) {
    NameTable names;
    names[1] = "Novak Jan                ";
    // Player 3 has no name: the line is 25 characters shorter.
    EXPECT_EQ(gameLine(1001, {1, 3, 472, 529}, names), "1001   Novak Jan                 -   472  529");
    EXPECT_EQ(gameLine(7, {3, 1, 1000, 993}, names), "   7    - Novak Jan                 1000  993");
}

TEST(RatingRise, OnlyAPositiveRiseCountsAndTheLowestNumberWinsATie) {
    RatingTable before{}, after{};
    before[1] = 1500, after[1] = 1450;
    before[2] = 1400, after[2] = 1400;
    const RatingRise none = largestRise(before, after);
    EXPECT_EQ(none.player, 0);
    EXPECT_EQ(riseLines(none, NameTable{}), (std::vector<std::string>{"Nejvyssi rust sily : ", "   0.0 "}));

    before[9] = 1400, after[9] = 1500.25;
    before[5] = 1500, after[5] = 1600.25;
    NameTable names;
    names[5] = "Cerny Petr               ";
    const RatingRise rise = largestRise(before, after);
    EXPECT_EQ(rise.player, 5);
    EXPECT_EQ(riseLines(rise, names)[1], " 100.3 Cerny Petr               ");

    // Old ratings are taken as written; a player missing from kanvo.new counts as 0.
    after[5] = 0;
    EXPECT_EQ(largestRise(before, after).player, 9);
}

}  // namespace
