// The rating recomputation: list order, factor thresholds, the tournament pass, missed
// rounds, absences, and zadani.txt / kanvo.new for a small tournament worked out by hand.
#include <gtest/gtest.h>

#include <sstream>

#include "recompute.hpp"
#include "temp_folder.hpp"

namespace fs = std::filesystem;

namespace {

// Runs PRIPRAV in a fresh folder with the given files and keyboard answers; round -1 runs
// what poradi does instead (the ratings from the files, then kanvo.new).
class RecomputeFolder : public testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(folder_.path());
    }
    void TearDown() override { fs::current_path(previous_); }

    std::string run(std::int32_t KOLO, const std::string& keyboard = "") {
        std::istringstream in(keyboard);
        std::ostringstream out;
        Console console{&in, &out, false};
        if (KOLO == -1)
            writeNewRatingList(recomputeFromFiles(false, console));
        else
            PRIPRAV(KOLO, console);
        return out.str();
    }

    TempFolder folder_;
    fs::path previous_;
};

RatedPlayer player(std::int32_t number, double rating) {
    RatedPlayer p;
    p.X = number;
    p.S0 = p.S = rating;
    return p;
}

TEST(Recompute, ExchangeSortDecidesTheOrderOfEqualRatings) {
    std::vector<RatedPlayer> players = {player(1, 1500), player(2, 1500), player(3, 1600)};
    sortByStartingRating(players);
    EXPECT_EQ(players[0].X, 3);
    EXPECT_EQ(players[1].X, 2);
    EXPECT_EQ(players[2].X, 1);
}

TEST(Recompute, FactorThresholds) {
    EXPECT_EQ(changeFactor(9), 50);
    EXPECT_EQ(changeFactor(10), 30);
    EXPECT_EQ(changeFactor(49), 30);
    EXPECT_EQ(changeFactor(50), 20);
}

TEST(Recompute, GamesCountIncludesThisTournamentAndUnplayedKeepTheirRating) {
    Recomputation state;
    state.players = {player(1, 1500), player(2, 1700), player(3, 1800)};
    state.players[0].PAR = 9;
    state.games = {{{1, 2, 400, 300}, 0, 1}, {{2, 1, 400, 300}, 1, 0}};
    iterateRatings(state);
    EXPECT_EQ(state.players[0].PAR, 11);
    EXPECT_EQ(state.players[1].PAR, 2);
    EXPECT_EQ(state.players[2].PAR, 0);
    EXPECT_EQ(state.players[2].S, 1800) << "a player without games keeps his starting rating";
}

TEST(Recompute, TournamentPassCountsAZeroResultAsADraw) {
    Recomputation state;
    state.players = {player(1, 1500), player(2, 1500)};
    state.games = {{{1, 2, 0, 0}, 0, 1}, {{2, 1, 410, 300}, 1, 0}};
    tournamentPass(state, 2);
    EXPECT_EQ(state.players[0].B, 1);
    EXPECT_EQ(state.players[1].B, 3);
    EXPECT_EQ(state.players[0].BP, 0);
    EXPECT_EQ(state.players[1].BP, 0);
    EXPECT_EQ(state.players[0].ZAC, 0);
    EXPECT_EQ(state.players[0].ZACZ, -1);
    EXPECT_EQ(state.players[1].ZACZ, 1);
}

TEST(Recompute, MissedRoundCountsOwnRatingOnceMore) {
    // Three rounds played, two games: AKO is the mean of the two adjusted opponent ratings
    // and the player's own rating.
    Recomputation state;
    state.players = {player(1, 1500), player(2, 1600), player(3, 1400)};
    for (auto& p : state.players) p.PAR = p.PAR0 = 20;
    state.games = {{{1, 2, 400, 300}, 0, 1}, {{3, 1, 400, 300}, 2, 0}};
    for (auto& p : state.players) p.PAR = 20 + (p.X == 1 ? 2 : 1);
    tournamentPass(state, 3);
    missedRounds(state, 3);
    EXPECT_NEAR(state.players[0].AKO, ((1600 - 34.6) + (1400 + 34.6) + 1500) / 3, 1e-9);
    EXPECT_EQ(state.players[0].PAR, 23);
}

TEST_F(RecomputeFolder, HandWorkedTournamentTaskFileAndRatingList) {
    // Worked out independently (exact decimal arithmetic):
    //   list order 9 (1600, 60 games), 7 (1500, 5), 5 (1500, 20) by the exchange sort;
    //   after 10 passes S = 1603.388..., 1486.174..., 1503.075...; factors 20, 50, 30;
    //   7 had the bye in round 1 and 5 in round 2, so each counts his own rating once more.
    folder_.write("kanvo.dat", crlf({"  5 1500.00 20", "  7 1500.00 5", "  9 1600.00 60"}));
    folder_.write("partie.dat", crlf({"  9   7 400 350", "  5   9 380 380"}));
    folder_.write("zmeny.dat", "");
    EXPECT_EQ(run(3), "Nacteno 2 partii\nZebricek byl spocitan \n");
    EXPECT_EQ(folder_.read("zadani.txt"), crlf({"2", "  1   9  1.5 1603.4 1494.6   2  0 -1  2  3",
                                                "  3   5  0.5 1503.1 1535.9  -2  1  1  1",
                                                "  2   7  0.0 1486.2 1562.1   0 -1 -1  1"}));
    EXPECT_FALSE(folder_.exists("kanvo.new"));

    EXPECT_EQ(run(-1), "Nacteno 2 partii\n");
    EXPECT_EQ(folder_.read("kanvo.new"), crlf({"  9 1603.4", "  7 1486.2", "  5 1503.1"}));
}

TEST_F(RecomputeFolder, FirstRoundUnratedStartAt1400AndAbsenceRemovesOnlyThatLine) {
    folder_.write("kanvo.dat", crlf({" 10 1200.00 0", " 11 1450.50 12", " 12 1300.00 3", ""}));
    folder_.write("partie.dat", "");
    folder_.write("zmeny.dat", "12 1 1\r\n11 2 4\r\n\r\n");
    run(1);
    EXPECT_EQ(folder_.read("zadani.txt"), crlf({"0", "  1  11  0.0 1450.5    0.0   0  0  0",
                                                "  2  10  0.0 1400.0    0.0   0  0  0"}));
    // In a later recomputation the unrated player's listed rating stands.
    run(-1);
    EXPECT_EQ(folder_.read("kanvo.new"), crlf({" 11 1450.5", " 12 1300.0", " 10 1200.0"}));
}

TEST_F(RecomputeFolder, MissingAbsencesFileDialogue) {
    folder_.write("kanvo.dat", crlf({"  1 1500.00 10"}));
    folder_.write("partie.dat", "");
    EXPECT_EQ(run(1, "N\n"), "Nacteno 0 partii\nZebricek byl spocitan \n"
                             "Soubor zmeny.dat neexistuje. Mam pokracovat? a/n  ");
    EXPECT_EQ(folder_.read("zmeny.dat"), "") << "anything but a lower-case n creates it empty";
    EXPECT_TRUE(folder_.exists("zadani.txt"));

    folder_.remove("zmeny.dat");
    folder_.remove("zadani.txt");
    EXPECT_EQ(run(1, ""), "Nacteno 0 partii\nZebricek byl spocitan \n"
                          "Soubor zmeny.dat neexistuje. Mam pokracovat? a/n  ")
        << "the end of input counts as an empty answer";
    EXPECT_TRUE(folder_.exists("zmeny.dat"));
}

// The files these stops leave alone are seen in runs of los and poradi (los_run_test,
// poradi_run_test): a death test on Windows runs in a fresh copy of the test program, whose
// folder is not this one.
TEST_F(RecomputeFolder, AnswerNStops) {
    folder_.write("kanvo.dat", crlf({"  1 1500.00 10"}));
    folder_.write("partie.dat", "");
    EXPECT_EXIT(run(1, "n\n"), testing::ExitedWithCode(0), "");
}

TEST_F(RecomputeFolder, UnknownPlayerAndCapacitiesStopWithAMessage) {
    folder_.write("kanvo.dat", crlf({"  1 1500.00 10", "  2 1500.00 10"}));
    folder_.write("partie.dat", crlf({"  1   2 400 300", "  2  77 400 300", " 88   1 400 300"}));
    folder_.write("zmeny.dat", "");
    EXPECT_EXIT(run(2), testing::ExitedWithCode(1), "Hrac 77 ");

    std::string manyPlayers;
    for (int i = 1; i <= 201; ++i) manyPlayers += std::to_string(i) + " 1500.00 10\r\n";
    folder_.write("kanvo.dat", manyPlayers);
    EXPECT_EXIT(run(-1), testing::ExitedWithCode(1), "kanvo.dat.*200");

    folder_.write("kanvo.dat", crlf({"  1 1500.00 10", "  2 1500.00 10"}));
    std::string manyGames;
    for (int i = 1; i <= 2001; ++i) manyGames += "  1   2 400 300\r\n";
    folder_.write("partie.dat", manyGames);
    EXPECT_EXIT(run(-1), testing::ExitedWithCode(1), "partie.dat.*2000");
}

TEST_F(RecomputeFolder, MissingOrMalformedFilesAreRunTimeErrors) {
    EXPECT_EXIT(run(-1), testing::ExitedWithCode(2), "Runtime error 2");
    folder_.write("kanvo.dat", "1 15OO.00 10\r\n");
    EXPECT_EXIT(run(-1), testing::ExitedWithCode(106), "Runtime error 106");
}

}  // namespace
