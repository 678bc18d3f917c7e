// los end to end: the real program in a temporary folder with scripted keyboard input, its
// console text, exit status and files compared with what the organiser must see; --help of all five.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "program_run.hpp"
#include "temp_folder.hpp"

namespace {

const std::string kBanner = "Losovani - verze 19.11.2012\n-------------------------\n\n";
const std::string kFirstRoundEnd =
    "0 prohozeni ctveric 0 prohozeni trojic a 0 prohozeni dvojic  \nChybova funkce :  0.000000000\n";

struct Line {
    int k1, k2, v1, v2, table;
    std::string names;
};

std::vector<Line> roundLines(const std::string& text) {
    std::vector<Line> lines;
    std::istringstream in(text);
    for (std::string row; std::getline(in, row);) {
        Line line{};
        int used = 0;
        if (std::sscanf(row.c_str(), "%d %d %d %d %d%n", &line.k1, &line.k2, &line.v1, &line.v2, &line.table, &used) == 5) {
            line.names = row.substr(static_cast<std::size_t>(used));
            if (!line.names.empty() && line.names.back() == '\r') line.names.pop_back();
            lines.push_back(line);
        }
    }
    return lines;
}

class Los : public testing::Test {
protected:
    void SetUp() override {
        folder.write("kanvo.dat", crlf({"  1 1700.00 50", "  2 1650.00 40", "  3 1600.00 30", "  4 1550.00 20",
                                        "  5 1500.00 10"}));
        folder.write("osoby.dat", crlf({"1 Prvni Hrac", "2 Druhy Hrac", "3 Treti Hrac", "4 Ctvrty Hrac", "5 Paty Hrac"}));
        folder.write("zmeny.dat", "");
        folder.write("randseed.txt", "12345\r\n");
    }

    ProgramRun los(const std::string& round, const std::string& keyboard = "") {
        return runProgram("los", folder.path(), {round}, keyboard);
    }

    // Scores every game of the round as results entry would store them: first player wins.
    void enterResults(int round) {
        const std::string name = "partie" + std::to_string(round) + ".txt";
        std::string text;
        for (const Line& line : roundLines(folder.read(name))) {
            char numbers[64];
            int v1 = line.k2 ? 400 + line.k1 : line.v1, v2 = line.k2 ? 350 : line.v2;
            std::snprintf(numbers, sizeof numbers, "%3d %3d  %4d %4d     %2d", line.k1, line.k2, v1, v2, line.table);
            text += numbers + line.names + "\r\n";
        }
        folder.write(name, text);
    }

    TempFolder folder;
};

TEST_F(Los, FirstRoundWithTheStoredSeedIsRepeatableAndLeavesNoTemporaryFiles) {
    auto run = los("1", "a\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kBanner + "Nacteno 0 partii\nZebricek byl spocitan \n"
                                 "Pouzit stavajici hodnotu generatora nah.cisel (12345)? a/n Parovani bylo provedeno \n" +
                           kFirstRoundEnd + "\nParovani bylo uspesne provedeno \n");
    EXPECT_EQ(folder.read("randseed.txt"), "12345\r\n");
    EXPECT_EQ(folder.read("partie.dat"), "");
    EXPECT_FALSE(folder.exists("zadani.txt"));
    EXPECT_FALSE(folder.exists("los1.txt"));

    auto lines = roundLines(folder.read("partie1.txt"));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(folder.read("partie1.txt").substr(2 * 79),
              "  5   0 300 300  0  Paty Hrac                   -   BYE                      \r\n")
        << "with an odd number the lowest-rated player of the first round sits out";

    TempFolder again;
    for (const auto& [name, bytes] : folder.files())
        if (name != "partie1.txt" && name != "los1.htm" && name != "partie.dat") again.write(name, bytes);
    runProgram("los", again.path(), {"1"}, "a\n");
    EXPECT_EQ(again.read("partie1.txt"), folder.read("partie1.txt"));
    EXPECT_EQ(again.read("los1.htm"), folder.read("los1.htm"));
}

TEST_F(Los, WithoutASeedFileANewSeedIsDrawnAndStored) {
    folder.remove("randseed.txt");
    auto run = los("1");
    EXPECT_EQ(run.exitCode, 0);
    const std::string seed = folder.read("randseed.txt");
    ASSERT_GE(seed.size(), 3u);
    EXPECT_EQ(seed.substr(seed.size() - 2), "\r\n");
    EXPECT_NE(run.out.find("Nova hodnota generatora nah.cisel : " + seed.substr(0, seed.size() - 2) +
                           "\n\nParovani bylo provedeno \n"),
              std::string::npos)
        << run.out;
}

TEST_F(Los, ThreeRoundsWithoutRepeatsAndTheByeToPlayersWhoPlayedEveryRound) {
    std::set<std::pair<int, int>> met;
    std::set<int> hadBye;
    for (int round = 1; round <= 3; ++round) {
        auto run = los(std::to_string(round), "a\n");
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        int byes = 0;
        for (const Line& line : roundLines(folder.read("partie" + std::to_string(round) + ".txt"))) {
            if (line.k2 == 0) {
                ++byes;
                EXPECT_FALSE(hadBye.count(line.k1)) << "round " << round << ": second bye for " << line.k1;
                hadBye.insert(line.k1);
                continue;
            }
            auto pair = std::minmax(line.k1, line.k2);
            EXPECT_FALSE(met.count(pair)) << "round " << round << ": " << line.k1 << " meets " << line.k2 << " again";
            met.insert(pair);
        }
        EXPECT_EQ(byes, 1);
        enterResults(round);
    }
    EXPECT_EQ(met.size(), 6u);
}

TEST_F(Los, MissingEarlierRoundFileStopsAndKeepsTheOldGameList) {
    los("1", "a\n");
    enterResults(1);
    folder.write("partie.dat", "old\r\n");
    auto run = los("3");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kBanner + "Soubor partie2.txt neexistuje, stisknete enter ");
    EXPECT_EQ(folder.read("partie.dat"), "old\r\n");
}

TEST_F(Los, ZeroResultsAreReportedAndOnlyALowerCaseAGoesOn) {
    los("1", "a\n");
    const std::string question =
        "V souboru partie1.txt je 2 nulovych vysledku\n"
        "V souboru se vyskytuji nulove vysledky. Mam presto pokracovat? a/n Parovani nebylo provedeno, stisknete enter";
    for (const char* answer : {"n\n", "A\n", ""}) {
        auto run = los("2", answer);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, kBanner + question);
        EXPECT_FALSE(folder.exists("partie2.txt"));
    }
    EXPECT_EQ(roundLines(folder.read("partie.dat")).size(), 0u) << "partie.dat holds four numbers a line";
    EXPECT_EQ(folder.read("partie.dat").size(), 2u * 17u) << "both games, still 0 0, are in the game list";

    auto goOn = los("2", "a\n");
    EXPECT_EQ(goOn.exitCode, 0);
    EXPECT_TRUE(folder.exists("partie2.txt"));
}

TEST_F(Los, CopiedRoundFilesAreCaught) {
    los("1", "a\n");
    enterResults(1);
    folder.write("partie2.txt", folder.read("partie1.txt"));
    auto run = los("3");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kBanner + "Soubory partie1.txt a partie2.txt jsou zrejme shodne. Stisknete enter ");
}

TEST_F(Los, AlreadyPairedRoundIsKeptUnlessTheAnswerIsA) {
    los("1", "a\n");
    const auto before = folder.files();
    auto run = los("1", "a\nn\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, kBanner + "Nacteno 0 partii\nZebricek byl spocitan \n"
                                 "Pouzit stavajici hodnotu generatora nah.cisel (12345)? a/n Parovani bylo provedeno \n" +
                           kFirstRoundEnd +
                           "\nParovani bylo jiz provedeno drive, chcete ho provest znovu? a/n  \n"
                           "Parovani nemohlo byt provedeno \n");
    EXPECT_EQ(folder.files(), before) << "round file, page and seed unchanged, no temporary files";

    // A line that does not read may hold a result: it is kept like one.
    folder.write("partie1.txt", "stara\r\n");
    auto again = los("1", "a\na\n");
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_EQ(folder.files(), before) << "the same seed pairs the round the same way again";
    EXPECT_EQ(folder.read("zaloha/partie1-1.txt"), "stara\r\n");
}

// A re-pair says how many results it replaces, keeps them, byte for byte, in zaloha and says
// where; the bye is no result, and a round without results is replaced with no copy.
TEST_F(Los, ARePairCountsTheEnteredResultsAndKeepsThemInZaloha) {
    los("1", "a\n");
    const std::string paired = folder.read("partie1.txt");
    const std::string question = "\nV souboru partie1.txt je 2 zadanych vysledku\n"
                                 "Parovani bylo jiz provedeno drive, chcete ho provest znovu? a/n  \n";
    // A writer killed after its copy's rename left a temporary of that copy, named the earlier way
    // two minutes ago: the next run removes it.
    const std::string leftover = "zaloha/partie1-1.txt.tmp.999999999";
    for (const char* copy : {"zaloha/partie1-1.txt", "zaloha/partie1-2.txt"}) {
        if (folder.exists("zaloha/partie1-1.txt")) {
            folder.write(leftover, "x");
            std::filesystem::last_write_time(folder.path() / leftover,
                                              std::filesystem::file_time_type::clock::now() - std::chrono::minutes(2));
        }
        enterResults(1);
        const std::string entered = folder.read("partie1.txt");
        auto run = los("1", "a\na\n");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_NE(run.out.find(kFirstRoundEnd + question + "Puvodni vysledky jsou v souboru " + copy +
                               "\n\nParovani bylo uspesne provedeno \n"),
                  std::string::npos)
            << run.out;
        EXPECT_EQ(folder.read(copy), entered);
        EXPECT_EQ(folder.read("partie1.txt"), paired);
        EXPECT_FALSE(folder.exists(leftover));
    }
    auto withoutResults = los("1", "a\na\n");
    EXPECT_EQ(withoutResults.out.find("zadanych"), std::string::npos);
    EXPECT_EQ(withoutResults.out.find("Puvodni"), std::string::npos);
    EXPECT_FALSE(folder.exists("zaloha/partie1-3.txt"));
}

TEST_F(Los, RoundOutsideTheOptimisersRangeIsRefusedBeforeAnyFile) {
    for (const char* round : {"0", "25", "-3"}) {
        auto run = los(round);
        EXPECT_EQ(run.exitCode, 1) << round;
        EXPECT_EQ(run.out, kBanner);
        EXPECT_NE(run.err.find("1..24"), std::string::npos);
        EXPECT_FALSE(folder.exists("partie.dat"));
    }
}

TEST_F(Los, AskedRoundNumberRepeatsOnATypingSlip) {
    auto run = runProgram("los", folder.path(), {"1x"}, "x\n1\na\n");
    EXPECT_EQ(run.exitCode, 0);
    const std::string prompt = "Zadejte cislo parovaneho kola : ";
    EXPECT_EQ(run.out.substr(0, kBanner.size() + 2 * prompt.size() + 17), kBanner + prompt + prompt + "Nacteno 0 partii\n");
}

TEST_F(Los, MissingPlayersFileStopsBeforeTheRoundFile) {
    folder.remove("osoby.dat");
    auto run = los("1", "a\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("osoby.dat"), std::string::npos);
    EXPECT_FALSE(folder.exists("partie1.txt"));
    EXPECT_FALSE(folder.exists("los1.htm"));
    EXPECT_FALSE(folder.exists("zadani.txt"));
    EXPECT_FALSE(folder.exists("los1.txt"));
}

TEST_F(Los, EndOfInputAtTheSeedQuestionStopsWithCode1) {
    auto run = los("1", "x\n");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, kBanner + "Nacteno 0 partii\nZebricek byl spocitan \n"
                                 "Pouzit stavajici hodnotu generatora nah.cisel (12345)? a/n "
                                 "Pouzit stavajici hodnotu generatora nah.cisel (12345)? a/n ");
    EXPECT_FALSE(folder.exists("zadani.txt"));
    EXPECT_FALSE(folder.exists("partie1.txt"));
    EXPECT_EQ(folder.read("randseed.txt"), "12345\r\n");
}

// Stops in the recomputation and in the optimiser: the task file and the pairing list are gone
// and no round is written; the absences file is created only when the organiser goes on.
TEST_F(Los, StopsBeforeThePairingLeaveNoTaskFile) {
    struct Case {
        const char* what;
        std::function<void(const TempFolder&)> prepare;
        int round, exitCode;
        std::string err;
        bool absencesFileAfter;
    };
    const Case cases[] = {
        {"absences file missing, answer n", [](const TempFolder& f) { f.remove("zmeny.dat"); }, 1, 0, "", false},
        {"unknown player in a round",
         [](const TempFolder& f) { f.write("partie1.txt", crlf({"  1  77   400  300      1"})); }, 2, 1, "Hrac 77 ", true},
        {"more players than the optimiser takes",
         [](const TempFolder& f) {
             std::string ratings, names;
             for (int i = 1; i <= 151; ++i) {
                 ratings += std::to_string(i) + " 1500.00 10\r\n";
                 names += std::to_string(i) + " Hrac\r\n";
             }
             f.write("kanvo.dat", ratings);
             f.write("osoby.dat", names);
         },
         1, 1, "Soubor zadani.txt: vice nez 150 hracu\n", true},
    };
    for (const Case& c : cases) {
        TempFolder own;
        for (const auto& [name, bytes] : folder.files()) own.write(name, bytes);
        c.prepare(own);
        auto run = runProgram("los", own.path(), {std::to_string(c.round)}, "n\n");
        EXPECT_EQ(run.exitCode, c.exitCode) << c.what;
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << c.what;
        EXPECT_FALSE(own.exists("zadani.txt")) << c.what;
        EXPECT_FALSE(own.exists("los" + std::to_string(c.round) + ".txt")) << c.what;
        EXPECT_FALSE(own.exists("partie" + std::to_string(c.round) + ".txt")) << c.what;
        EXPECT_EQ(own.exists("zmeny.dat"), c.absencesFileAfter) << c.what;
    }
}

// Round 9 of an 11-player tournament: the search keeps a repeat that the exact matching avoids.
class LosMend : public testing::Test {
protected:
    void SetUp() override {
        for (const auto& entry : std::filesystem::directory_iterator(MEND_ROUND_DIR)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            if (entry.path().extension() != ".md") folder.write(entry.path().filename().string(), bytes.str());
        }
    }

    std::set<std::pair<int, int>> earlierPairs() const {
        std::set<std::pair<int, int>> met;
        for (int round = 1; round <= 8; ++round)
            for (const Line& line : roundLines(folder.read("partie" + std::to_string(round) + ".txt")))
                if (line.k2 != 0) met.insert(std::minmax(line.k1, line.k2));
        return met;
    }

    // The pairs of round 9, none of them a repeat.
    std::vector<Line> pairedWithoutRepeats() const {
        const auto met = earlierPairs();
        const auto lines = roundLines(folder.read("partie9.txt"));
        for (const Line& line : lines)
            EXPECT_FALSE(line.k2 != 0 && met.count(std::minmax(line.k1, line.k2))) << line.k1 << " - " << line.k2;
        return lines;
    }

    TempFolder folder;
};

TEST_F(LosMend, DefaultRunWritesTheExactMatchingInsteadOfARepeat) {
    auto run = runProgram("los", folder.path(), {"9"}, "");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, kBanner + "Nacteno 40 partii\nZebricek byl spocitan \nParovani bylo provedeno \n"
                                 "0 prohozeni ctveric 1 prohozeni trojic a 4 prohozeni dvojic  \n"
                                 "Opakovane parovani odstraneno presnym parovanim\n"
                                 "Chybova funkce : 15812.844770249\n\nParovani bylo uspesne provedeno \n");
    const auto lines = pairedWithoutRepeats();
    EXPECT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines.back().k2, 0) << "the bye stays last";
}

TEST_F(LosMend, ExactRunShowsBothCostsWhereverTheOptionStands) {
    const std::string report = "0 prohozeni ctveric 1 prohozeni trojic a 4 prohozeni dvojic  \n"
                               "Cena parovani hledanim : 1005725.477645882\n"
                               "Cena presneho parovani : 15812.844770249\n"
                               "Chybova funkce : 15812.844770249\n";
    auto before = runProgram("los", folder.path(), {"--presne", "9"}, "");
    ASSERT_EQ(before.exitCode, 0) << before.err;
    EXPECT_NE(before.out.find(report), std::string::npos) << before.out;
    const std::string roundFile = folder.read("partie9.txt");
    pairedWithoutRepeats();

    auto after = runProgram("los", folder.path(), {"9", "--presne"}, "a\n");
    EXPECT_NE(after.out.find(report), std::string::npos) << after.out;
    EXPECT_EQ(folder.read("partie9.txt"), roundFile) << "the same mode pairs the same way";
}

TEST(EveryProgram, AnswersHelpWithUsageBeforeAnythingElse) {
    for (const char* program : {"los", "poradi", "zadej", "rekordy", "prevod"})
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{"--help"}, {"-h"}, {"3", "--presne", "-h"}}) {
            SCOPED_TRACE(std::string(program) + " " + arguments.back());
            TempFolder folder;
            auto run = runProgram(program, folder.path(), arguments, "");
            EXPECT_EQ(run.exitCode, 0);
            EXPECT_EQ(run.out.rfind("Pouziti: " + std::string(program), 0), 0u) << run.out;
            EXPECT_NE(run.out.find("--help, -h"), std::string::npos);
            EXPECT_EQ(run.err, "");
            EXPECT_TRUE(folder.files().empty()) << "nothing read or written";
        }
}

}  // namespace
