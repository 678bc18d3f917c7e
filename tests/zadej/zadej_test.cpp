// zadej end to end: the real program in a temporary folder with scripted keyboard input,
// console text and the round file compared byte for byte.
#include <gtest/gtest.h>

#include <filesystem>

#include "program_run.hpp"
#include "temp_folder.hpp"

namespace {

const std::string kHeader = "Losovani - verze 9.2.2009\n-------------------------\n\n";
const std::string kAskTable = "Zadejte cislo stolu : ";
const std::string kAskScores = "Zadejte vysledek (pocty bodu obou hracu oddelene mezerou) : ";

// A fresh round 3 from the pairing: four games and a bye.
const std::string kFresh = crlf({
    "  5  12   0 0    1  Hrac A                      -   Hrac B                   ",
    "  7   1   0 0    2  Hrac C                      -   Hrac D                   ",
    "  2   9   0 0    3  Hrac E                      -   Hrac F                   ",
    "  4   3   0 0    4  Hrac G                      -   Hrac H                   ",
    " 16   0 300 300  0  Hrac I                      -   BYE                      ",
});

const std::string kNames1 = "  Hrac A                      -   Hrac B                   ";

std::string state(int tables, int open, const std::string& list) {
    return "Nacteno " + std::to_string(tables) + " stolu\nDosud nebylo nacteno " + std::to_string(open) +
           " vysledku \nDosud nezadane stoly : " + list + "\n";
}

class Zadej : public testing::Test {
protected:
    ProgramRun run(const std::string& input, std::vector<std::string> args = {"3"}) {
        return runProgram("zadej", folder.path(), args, input);
    }
    TempFolder folder;
};

TEST_F(Zadej, FirstResultIsStoredWithoutAQuestionAndTheFileTakesTheResultsLayout) {
    folder.write("partie3.txt", kFresh + "\r\n");
    auto result = run("1\n412 380\n0\n");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kHeader + "Partie 3.kola \n\n" + state(5, 4, "1 2 3 4 ") + kAskTable + kNames1 +
                              "    0 :   0\n" + kAskScores + kNames1 + "  412 : 380\n\n" + state(5, 3, "2 3 4 ") +
                              kAskTable + "Stul 0 neexistuje \n\n");
    EXPECT_EQ(folder.read("partie3.txt"),
              crlf({"  5  12   412  380      1  Hrac A                      -   Hrac B                   ",
                    "  7   1     0    0      2  Hrac C                      -   Hrac D                   ",
                    "  2   9     0    0      3  Hrac E                      -   Hrac F                   ",
                    "  4   3     0    0      4  Hrac G                      -   Hrac H                   ",
                    " 16   0   300  300      0  Hrac I                      -   BYE                      "}))
        << "the trailing blank line disappears at the first rewrite";
    EXPECT_EQ(folder.files().size(), 2u) << "no temporary file beside the round file and the folder's lock file";
}

TEST_F(Zadej, OverwriteDeclinedKeepsTheFileAndAcceptedRewritesIt) {
    folder.write("partie3.txt", kFresh);
    run("1\n412 380\n0\n");
    const std::string stored = folder.read("partie3.txt");

    auto declined = run("1\n400 390\nA\n0\n");
    EXPECT_EQ(declined.out, kHeader + "Partie 3.kola \n\n" + state(5, 3, "2 3 4 ") + kAskTable + kNames1 +
                                "  412 : 380\n" + kAskScores + kNames1 + "  400 : 390\n" +
                                "Prepsat starsi vysledek? a/n \n" + state(5, 3, "2 3 4 ") + kAskTable +
                                "Stul 0 neexistuje \n\n");
    EXPECT_EQ(folder.read("partie3.txt"), stored) << "only a lower-case a overwrites";

    run("1\n400 390\na\n0\n");
    EXPECT_NE(folder.read("partie3.txt").find("  5  12   400  390      1"), std::string::npos);
}

TEST_F(Zadej, OneScoreCorrectionAndAFirstResultWithAZeroAreChanges) {
    folder.write("partie3.txt", kFresh);
    run("2\n350 0\n1\n412 380\n1\n412 381\na\n0\n");
    auto text = folder.read("partie3.txt");
    EXPECT_NE(text.find("  7   1   350    0      2"), std::string::npos);
    EXPECT_NE(text.find("  5  12   412  381      1"), std::string::npos);

    // The same pair again is no change: no line, no question, no rewrite.
    auto same = run("1\n412 381\n0\n");
    EXPECT_EQ(same.out, kHeader + "Partie 3.kola \n\n" + state(5, 2, "3 4 ") + kAskTable + kNames1 + "  412 : 381\n" +
                            kAskScores + "\n" + state(5, 2, "3 4 ") + kAskTable + "Stul 0 neexistuje \n\n");
}

TEST_F(Zadej, TablesOutOfRangeAndTheByeByPosition) {
    folder.write("partie3.txt", kFresh);
    auto result = run("-2\n6\n5\n300 300\n5\n400 300\nn\n0\n");
    const std::string bye = "  Hrac I                      -   BYE                      ";
    EXPECT_EQ(result.out, kHeader + "Partie 3.kola \n\n" + state(5, 4, "1 2 3 4 ") + kAskTable +
                              "Stul -2 neexistuje \n\n" + state(5, 4, "1 2 3 4 ") + kAskTable +
                              "Stul 6 neexistuje \n\n" + state(5, 4, "1 2 3 4 ") + kAskTable + bye + "  300 : 300\n" +
                              kAskScores + "\n" + state(5, 4, "1 2 3 4 ") + kAskTable + bye + "  300 : 300\n" +
                              kAskScores + bye + "  400 : 300\nPrepsat starsi vysledek? a/n \n" +
                              state(5, 4, "1 2 3 4 ") + kAskTable + "Stul 0 neexistuje \n\n");
    EXPECT_EQ(folder.read("partie3.txt"), kFresh) << "the bye's 300 300 is a stored result: overwritten only on a";
}

TEST_F(Zadej, NonNumericAnswersAndImpossibleScoresRepeatThePrompt) {
    folder.write("partie3.txt", kFresh);
    // A score is 0..9999, the width of its column.
    auto result = run("x\n\n+\n1\n412\n412 x\n-5 300\n99999 1\n2147483648 0\n0 10000\n9999 0 poznamka\n0\n");
    std::string askedAgain;
    for (int i = 0; i < 7; ++i) askedAgain += kAskScores;
    EXPECT_EQ(result.out, kHeader + "Partie 3.kola \n\n" + state(5, 4, "1 2 3 4 ") + kAskTable + kAskTable +
                              kAskTable + kAskTable + kNames1 + "    0 :   0\n" + askedAgain + kNames1 +
                              "  9999 :   0\n\n" + state(5, 3, "2 3 4 ") + kAskTable + "Stul 0 neexistuje \n\n");
    EXPECT_NE(folder.read("partie3.txt").find("  5  12  9999    0      1"), std::string::npos);
}

// Leading blanks before the round number are allowed, a tab is not.
TEST_F(Zadej, RoundAskedWhenTheArgumentIsNoNumber) {
    folder.write("partie3.txt", kFresh);
    for (const char* argument : {"3x", "\t3"}) {
        auto result = run("3\n0\n", {argument});
        EXPECT_EQ(result.out, kHeader + "Zadejte cislo kola pro zadani vysledku : Losovani - verze 9.2.2009\n" +
                                  std::string(19, '-') + "\nPartie 3.kola \n\n" + state(5, 4, "1 2 3 4 ") + kAskTable +
                                  "Stul 0 neexistuje \n\n");
    }
    EXPECT_EQ(run("0\n", {"  3"}).out, kHeader + "Partie 3.kola \n\n" + state(5, 4, "1 2 3 4 ") + kAskTable +
                                          "Stul 0 neexistuje \n\n");
}

TEST_F(Zadej, EndOfInputStopsWithCode1AndWritesNothingMore) {
    folder.write("partie3.txt", kFresh);
    auto result = run("1\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, kHeader + "Partie 3.kola \n\n" + state(5, 4, "1 2 3 4 ") + kAskTable + kNames1 +
                              "    0 :   0\n" + kAskScores);
    EXPECT_EQ(folder.read("partie3.txt"), kFresh);
}

TEST_F(Zadej, MissingRoundFileIsAnOrderlyStop) {
    auto result = run("\n", {"4"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, kHeader + "Partie 4.kola \n\nSoubor partie4.txt neexistuje, stisknete enter ");
    EXPECT_EQ(folder.files(), (std::map<std::string, std::string>{{"zamek.lck", ""}})) << "the lock tried at the start";
}

// A lock that cannot be had is never a silent go-ahead: nothing is written.
TEST_F(Zadej, AFolderLockThatCannotBeHadStopsBeforeAnyWrite) {
    folder.write("partie3.txt", kFresh);
    std::filesystem::create_directory(folder.path() / "zamek.lck");
    auto result = run("1\n412 380\n0\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Soubor zamek.lck nelze zamknout, soubor partie3.txt nebyl zapsan\n");
    EXPECT_EQ(folder.read("partie3.txt"), kFresh);
}

TEST_F(Zadej, MoreThan100TablesIsRefusedAndTheFileUntouched) {
    std::string big;
    for (int i = 1; i <= 101; ++i) big += "  1   2   0 0   " + std::to_string(i) + "  A - B\r\n";
    folder.write("partie3.txt", big);
    auto result = run("1\n400 300\n0\n");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("partie3.txt"), std::string::npos);
    EXPECT_NE(result.err.find("100"), std::string::npos);
    EXPECT_EQ(folder.read("partie3.txt"), big);
}

}  // namespace
