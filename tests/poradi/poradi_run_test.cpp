// poradi end to end in a temporary folder: console, exit status and files of a run, the round
// prompt, the run-time errors and the table limit (rating columns belong to the rating unit).
#include <gtest/gtest.h>

#include <algorithm>

#include "hand_worked_tournament.hpp"
#include "program_run.hpp"
#include "temp_folder.hpp"

namespace {

const std::string kBanner = "Poradi - verze 19.11.2012\n-------------------------\n\n";
const std::string kAsk = "Zadejte cislo kola, u ktereho pocitate poradi : ";

class Poradi : public testing::Test {
protected:
    void SetUp() override {
        folder.write("koef.txt", kCoefficients);
        folder.write("osoby.dat", kPlayers);
        folder.write("kanvo.dat", crlf({"  3 1500.00 120", "  5 1400.00 80", "  7 1600.00 200", " 12 1450.50 60",
                                        " 20 1700.00 300", " 99 1300.00 50"}));
        folder.write("partie1.txt", kRound1);
        folder.write("partie2.txt", kRound2);
        folder.write("partie3.txt", kRound3);
    }

    ProgramRun run(std::vector<std::string> args = {"3"}, const std::string& input = {}) {
        return runProgram("poradi", folder.path(), args, input);
    }

    // Names of the folder's files.
    std::vector<std::string> fileNames() const {
        std::vector<std::string> names;
        for (const auto& [name, bytes] : folder.files()) names.push_back(name);
        return names;
    }

    TempFolder folder;
};

const std::vector<std::string> kInputs = {"kanvo.dat", "koef.txt", "osoby.dat", "partie1.txt", "partie2.txt",
                                          "partie3.txt"};

std::vector<std::string> inputsAnd(std::vector<std::string> written) {
    written.insert(written.end(), kInputs.begin(), kInputs.end());
    std::sort(written.begin(), written.end());
    return written;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST_F(Poradi, StandingsAfterTheRoundGivenOnTheCommandLine) {
    auto result = run();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, kBanner + "Nacteno 6 partii\nBucholtz upraven u hrace 5\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(fileNames(),
              inputsAnd({"kanvo.new", "partie.dat", "partie3.htm", "poradi3.htm", "poradi3.txt"}));
    EXPECT_EQ(folder.read("partie.dat"),
              crlf({"  7   3 412 380", " 12  20 350 350", "  3  12 300 410", " 20   7 420 400", "  7  12 390 395",
                    "  5   3 451 300"}));
    EXPECT_EQ(linesOf(folder.read("kanvo.new")).size(), 6u);

    // The columns up to the start balance; the ratings come from the rating unit.
    auto lines = linesOf(folder.read("poradi3.txt"));
    ASSERT_EQ(lines.size(), kStandingsText.size()) << "no phantom player from the blank line";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].substr(0, kColumnsBeforeRating), kStandingsText[i].substr(0, kColumnsBeforeRating));
        EXPECT_EQ(lines[i].size(), kStandingsText[i].size());
    }
    EXPECT_NE(folder.read("partie3.htm").find("<td>Dvorak &amp; Syn<td>"), std::string::npos);
    EXPECT_EQ(linesOf(folder.read("poradi3.htm")).size(), 6u + 5u);
}

TEST_F(Poradi, RoundIsAskedForUntilTheAnswerIsANumber) {
    auto asked = run({}, "tri\n\n3\n");
    EXPECT_EQ(asked.exitCode, 0);
    EXPECT_EQ(asked.out, kBanner + kAsk + kAsk + kAsk + "Nacteno 6 partii\nBucholtz upraven u hrace 5\n");
    const std::string standings = folder.read("poradi3.txt");

    folder.remove("poradi3.txt");
    auto badArgument = run({"3x"}, "3\n");
    EXPECT_EQ(badArgument.out, kBanner + kAsk + "Nacteno 6 partii\nBucholtz upraven u hrace 5\n");
    EXPECT_EQ(folder.read("poradi3.txt"), standings);
}

TEST_F(Poradi, EndOfInputAtThePromptEndsWithExitCode1) {
    auto result = run({}, "x\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, kBanner + kAsk + kAsk);
    EXPECT_EQ(fileNames(), inputsAnd({}));
}

TEST_F(Poradi, MissingOrMalformedCoefficientsAreRunTimeErrors) {
    folder.write("koef.txt", "1.0 1,5E-3 2E-3 0.5\r\n");
    auto malformed = run();
    EXPECT_EQ(malformed.exitCode, 106);
    EXPECT_EQ(malformed.err.substr(0, 18), "Runtime error 106\n");
    EXPECT_EQ(malformed.out, kBanner);

    folder.remove("koef.txt");
    auto missing = run({}, "3\n");
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err.substr(0, 16), "Runtime error 2\n");
    EXPECT_EQ(missing.out, kBanner) << "the coefficients are read before the round is asked for";
    EXPECT_EQ(fileNames().size(), kInputs.size() - 1);
}

TEST_F(Poradi, MissingRoundFileLeavesTheGameListAsItWas) {
    folder.write("partie.dat", "old list\r\n");
    folder.remove("partie2.txt");
    auto result = run();
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.err.substr(0, 16), "Runtime error 2\n");
    EXPECT_EQ(result.out, kBanner);
    EXPECT_EQ(folder.read("partie.dat"), "old list\r\n");
    EXPECT_FALSE(folder.exists("kanvo.new"));
}

TEST_F(Poradi, ResultsStill00AreNamedAndTooManyGamesStopBeforeTheGameList) {
    const std::string round2 = crlf({"  3  12     0    0      1", " 20   7     0    0      2"});
    folder.write("partie2.txt", round2);
    auto zeros = run();
    EXPECT_EQ(zeros.exitCode, 0) << zeros.err;
    EXPECT_EQ(zeros.out, kBanner + "V souboru partie2.txt je 2 nulovych vysledku\nNacteno 6 partii\n"
                                   "Bucholtz upraven u hrace 5\n");
    EXPECT_EQ(folder.read("partie2.txt"), round2);

    folder.write("partie.dat", "old list\r\n");
    std::string crowded;
    for (int i = 0; i < 1997; ++i) crowded += "  3  12   300  410      1\r\n";
    folder.write("partie2.txt", crowded);  // with rounds 1 and 3: 2001 games
    auto full = run();
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err, "Soubory partie1.txt az partie3.txt maji vice nez 2000 partii\n");
    EXPECT_EQ(folder.read("partie.dat"), "old list\r\n");
}

TEST_F(Poradi, MalformedNumberInARoundFile) {
    folder.write("partie2.txt", crlf({"  3  12   300  41O      1"}));
    auto result = run();
    EXPECT_EQ(result.exitCode, 106);
    EXPECT_EQ(result.err.substr(0, 18), "Runtime error 106\n");
    EXPECT_FALSE(folder.exists("partie.dat"));
}

TEST_F(Poradi, MissingPlayersFileStopsAfterTheRatingList) {
    folder.remove("osoby.dat");
    auto result = run();
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.out, kBanner + "Nacteno 6 partii\n");
    EXPECT_TRUE(folder.exists("partie.dat"));
    EXPECT_TRUE(folder.exists("kanvo.new"));
    EXPECT_FALSE(folder.exists("poradi3.txt"));
}

TEST_F(Poradi, MorePlayersThanTheTableHoldsStopsBeforeTheOutputs) {
    // 200 rated players in 100 games, and a 201st with a bye (not in partie.dat, so the
    // rating unit has no quarrel with it).
    std::string kanvo, round;
    for (int i = 1; i <= 200; ++i) kanvo += std::to_string(i) + " 1500.00 100\r\n";
    for (int i = 1; i <= 200; i += 2) round += std::to_string(i) + " " + std::to_string(i + 1) + " 400 300 1\r\n";
    round += "201 0 300 300 0\r\n";
    folder.write("kanvo.dat", kanvo);
    folder.write("partie1.txt", round);
    auto result = run({"1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, kBanner + "Nacteno 100 partii\n");
    EXPECT_EQ(result.err, "Vice nez 200 hracu v souborech partie1.txt az partie1.txt\n");
    EXPECT_EQ(linesOf(folder.read("partie.dat")).size(), 100u);
    EXPECT_EQ(linesOf(folder.read("kanvo.new")).size(), 200u);
    EXPECT_FALSE(folder.exists("poradi1.txt"));
    EXPECT_FALSE(folder.exists("partie1.htm"));
    EXPECT_FALSE(folder.exists("poradi1.htm"));
}

TEST_F(Poradi, MoreGamesThanTheRatingUnitHoldsStopsBeforeTheNewRatings) {
    std::string round;
    for (int i = 0; i < 2001; ++i) round += "  3   5   400  300      1\r\n";
    folder.write("partie1.txt", round);
    auto result = run({"1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("2000"), std::string::npos) << result.err;
    EXPECT_FALSE(folder.exists("kanvo.new"));
    EXPECT_FALSE(folder.exists("poradi1.txt"));
}

TEST_F(Poradi, RoundZeroReadsNoRoundFilesButStillWantsItsGamesPage) {
    auto missing = run({"0"});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.out, kBanner + "Nacteno 0 partii\n");
    EXPECT_EQ(folder.read("partie.dat"), "");
    EXPECT_EQ(folder.read("poradi0.txt"), "");
    EXPECT_FALSE(folder.exists("partie0.htm"));
    EXPECT_FALSE(folder.exists("poradi0.htm"));

    folder.write("partie0.txt", crlf({"  7   3   412  380      1"}));
    auto present = run({"0"});
    EXPECT_EQ(present.exitCode, 0);
    EXPECT_NE(folder.read("partie0.htm").find("<tr><td>1\r\n&nbsp;&nbsp;&nbsp;<td><strong><td>"), std::string::npos)
        << "players of no round have no names";
    EXPECT_EQ(linesOf(folder.read("poradi0.htm")).size(), 6u);
}

}  // namespace
