// The standings computation on small hand-worked round files: byes, missed rounds,
// the spread, the exchange sort's order of equal records, and the table's limits.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "standings.hpp"

namespace {

std::vector<Game> roundOf(const std::string& text) {
    TextReader reader("partie.txt", text);
    return readGames(reader);
}

const HRAC& player(const Standings& table, std::int32_t number) {
    const HRAC* found = findPlayer(table, number);
    if (!found) throw std::runtime_error("no player " + std::to_string(number));
    return *found;
}

// Totals, Buchholz and derived values as the run computes them, with every rating 1500
// unless given.
Standings computed(const RoundFiles& rounds, std::int32_t K, const std::string& kanvo = {},
                   std::string* console = nullptr) {
    Standings table = totalsPass(rounds);
    std::string ratings = kanvo;
    if (ratings.empty())
        for (const HRAC& p : table) ratings += std::to_string(p.C) + " 1500.0\r\n";
    readRatings(table, TextReader("kanvo.new", ratings));
    buchholzAndOpponentPass(table, rounds, K);
    std::istringstream in;
    std::ostringstream out;
    Console quiet{&in, &out, false};
    adjustMissedRounds(table, K, quiet);
    computeDerivedValues(table, Coefficients{1.0, 1e-3, 2e-3, 0.5}, K);
    if (console) *console = out.str();
    return table;
}

TEST(Standings, ByeLines) {
    RoundFiles rounds = {roundOf(" 10   0 300 300  0  A - BYE\r\n  1   2   412  380      1\r\n"
                                 "  3   0 310 300  0\r\n  4   0 290 300  0\r\n  5  -4 300 300  0\r\n")};
    Standings table = computed(rounds, 1);
    // As the pairing writes it, 300 to 300: half a point, both scores, a line but no game.
    const HRAC& bye = player(table, 10);
    EXPECT_EQ(bye.B, 0.5);
    EXPECT_EQ(bye.S1, 300);
    EXPECT_EQ(bye.S2, 300);
    EXPECT_EQ(bye.P, 1);
    EXPECT_EQ(bye.P2, 0);
    EXPECT_EQ(bye.Z, 0) << "a bye does not count as a start";
    EXPECT_EQ(bye.BCH, 0.5) << "K/2 for the bye";
    EXPECT_EQ(bye.ARO, 0);
    EXPECT_EQ(bye.ARO2, 0);
    EXPECT_EQ(player(table, 1).Z, 1);
    EXPECT_EQ(player(table, 2).Z, -1);
    // A higher first score gives a full point, a lower one nothing; a second player below 0
    // is a bye as well and never a player of its own.
    EXPECT_EQ(player(table, 3).B, 1.0);
    EXPECT_EQ(player(table, 4).B, 0.0);
    EXPECT_EQ(player(table, 5).B, 0.5);
    EXPECT_EQ(player(table, 5).P2, 0);
    EXPECT_EQ(findPlayer(table, -4), nullptr);
    EXPECT_EQ(findPlayer(table, 0), nullptr);
}

TEST(Standings, LinesWithoutAFirstPlayerCountForNobody) {
    // A blank line at the end is no line at all; a line of zeros or a first player below 0
    // in the middle is skipped.
    RoundFiles rounds = {roundOf("  1   2 400 300  1\r\n  0   0   0   0  0\r\n -3   2 300 400  2\r\n\r\n  \r\n")};
    Standings table = computed(rounds, 1);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(player(table, 2).P, 1);
    EXPECT_EQ(player(table, 2).B, 0.0);
    EXPECT_EQ(player(table, 1).BCH, 0.0);
}

TEST(Standings, MissedRoundsCountAHalfPointPerRoundForEverybody) {
    // Player 7 has a line only in round 3 of 5, a win against 1; 4 has the bye of round 3.
    RoundFiles rounds = {roundOf("1 2 400 300 1\r\n3 4 400 300 2\r\n"),
                         roundOf("1 3 400 300 1\r\n2 4 400 300 2\r\n"),
                         roundOf("1 7 300 400 1\r\n2 3 400 300 2\r\n4 0 300 300 0\r\n"),
                         roundOf("1 4 400 300 1\r\n2 3 400 300 2\r\n"),
                         roundOf("1 2 400 300 1\r\n3 4 400 300 2\r\n")};
    std::string console;
    Standings table = computed(rounds, 5, {}, &console);
    EXPECT_EQ(console, "Bucholtz upraven u hrace 7\n");
    // 1's 4 points from the game, then 5/2 x 4 = 10 for the four rounds without a line.
    EXPECT_EQ(player(table, 7).BCH, 14.0);
    // 1 meets 2 (3 points), 3 (2), 7 (1 point + 4 missed rounds / 2), 4 (0.5), 2 (3).
    EXPECT_EQ(player(table, 1).B, 4.0);
    EXPECT_EQ(player(table, 1).BCH, 3 + 2 + 3 + 0.5 + 3);
    // 4 meets 3 (2 points), 2 (3), has the bye (K/2 = 2.5), meets 1 (4) and 3 (2).
    EXPECT_EQ(player(table, 4).BCH, 2 + 3 + 2.5 + 4 + 2);
}

TEST(Standings, SpreadOfTheOpponentsRatings) {
    RoundFiles rounds = {roundOf("1 2 400 300 1\r\n3 0 300 300 0\r\n"), roundOf("1 3 400 300 1\r\n")};
    Standings table = computed(rounds, 2, "1 1600.0\r\n2 1450.5\r\n3 1700.0\r\n");
    const HRAC& one = player(table, 1);
    EXPECT_DOUBLE_EQ(one.ARO, (1450.5 + 1700.0) / 2);
    EXPECT_NEAR(one.ARO2, 249.5 / std::sqrt(2.0), 1e-9) << "sample standard deviation";
    EXPECT_EQ(player(table, 2).ARO, 1600.0);
    EXPECT_EQ(player(table, 2).ARO2, 0.0) << "one game: no spread";
}

TEST(Standings, SpreadRadicandBelowZeroThroughRoundingIsZero) {
    // Three opponents rated 1000.6 leave (sum of squares - mean^2 x 3) a little below zero.
    RoundFiles rounds = {roundOf("1 2 400 300\r\n"), roundOf("1 3 400 300\r\n"), roundOf("1 4 400 300\r\n")};
    Standings table = computed(rounds, 3, "1 1500\r\n2 1000.6\r\n3 1000.6\r\n4 1000.6\r\n");
    EXPECT_EQ(player(table, 1).ARO2, 0.0);
}

TEST(Standings, RatingsAndNamesFromTheirFiles) {
    Standings table = totalsPass({roundOf("7 12 400 300\r\n5 0 300 300\r\n20 0 300 300\r\n")});
    readNames(table, TextReader("osoby.dat", "7 Stary Nazev\r\n12\tSvoboda <Petr>\r\n99 Nehraje\r\n"
                                             "7 Novak Jan\r\n20 Prochazkova Marie Magdalena\r\n"));
    EXPECT_EQ(player(table, 7).JM, "Novak Jan") << "the last line of a number wins";
    EXPECT_EQ(player(table, 12).JM, "Svoboda <Petr>");
    EXPECT_EQ(player(table, 5).JM, "");
    EXPECT_EQ(player(table, 20).JM, "Prochazkova Marie Magdale");
    // Only players of the table have their rating read: 99's malformed rating is never seen.
    readRatings(table, TextReader("kanvo.new", " 12 1487.3\r\n 99 x\r\n  7 1523.4 extra\r\n\r\n"));
    EXPECT_EQ(player(table, 12).NSA, 1487.3);
    EXPECT_EQ(player(table, 7).NSA, 1523.4);
    EXPECT_EQ(player(table, 5).NSA, 0.0);
}

Standings recordsOf(std::initializer_list<std::tuple<std::int32_t, double, double>> records) {
    Standings table;
    for (auto [number, points, turcas] : records) {
        HRAC p;
        p.C = number;
        p.B = points;
        p.TURCAS = turcas;
        table.push_back(p);
    }
    return table;
}

std::vector<std::int32_t> numbersOf(const Standings& table) {
    std::vector<std::int32_t> numbers;
    for (const HRAC& p : table) numbers.push_back(p.C);
    return numbers;
}

TEST(Standings, ExchangeSortKeepsItsOwnOrderOfEqualRecords) {
    // A stable sort would give 3 1 2; the exchange procedure moves 1 behind 2.
    Standings table = recordsOf({{1, 1.0, 0.5}, {2, 1.0, 0.5}, {3, 2.0, 0.0}});
    sortStandings(table);
    EXPECT_EQ(numbersOf(table), (std::vector<std::int32_t>{3, 2, 1}));

    // The same when TURCAS lifts a record: stable would be 3 1 2 4.
    table = recordsOf({{1, 1.0, 0.5}, {2, 1.0, 0.5}, {3, 1.0, 0.9}, {4, 1.0, 0.5}});
    sortStandings(table);
    EXPECT_EQ(numbersOf(table), (std::vector<std::int32_t>{3, 2, 1, 4}));

    // Points first; TURCAS only between equal points.
    table = recordsOf({{1, 1.0, 9.0}, {2, 1.5, -3.0}, {3, 1.0, 9.5}, {4, 0.5, 20.0}});
    sortStandings(table);
    EXPECT_EQ(numbersOf(table), (std::vector<std::int32_t>{2, 3, 1, 4}));
}

RoundFiles manyPlayers(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += std::to_string(i) + " 0 300 300 0\r\n";
    return {roundOf(text)};
}

TEST(Standings, TwoHundredPlayersFitTheTable) { EXPECT_EQ(totalsPass(manyPlayers(200)).size(), 200u); }

TEST(StandingsDeathTest, MorePlayersThanTheTableHoldsStopWithAMessage) {
    RoundFiles rounds = manyPlayers(200);
    rounds.push_back(roundOf("1 201 400 300 1\r\n"));
    EXPECT_EXIT(totalsPass(rounds), testing::ExitedWithCode(1),
                "^Vice nez 200 hracu v souborech partie1.txt az partie2.txt\n$");
}

TEST(StandingsDeathTest, OverflowOfATotalIsRunTimeError215) {
    RoundFiles scores = {roundOf("1 2 2147483647 0\r\n"), roundOf("1 2 1 0\r\n")};
    EXPECT_EXIT(totalsPass(scores), testing::ExitedWithCode(215), "Runtime error 215");
    std::string starts;
    for (int i = 0; i < 32768; ++i) starts += "1 2 1 0\n";
    EXPECT_EXIT(totalsPass({roundOf(starts)}), testing::ExitedWithCode(215), "Runtime error 215")
        << "the start balance is a 16-bit field";
    starts.resize(starts.size() - 8);
    EXPECT_EQ(totalsPass({roundOf(starts)})[0].Z, 32767);
}

}  // namespace
