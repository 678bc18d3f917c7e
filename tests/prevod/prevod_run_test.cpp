// prevod run in a temporary folder: kanvo.dat byte for byte, the console line, the exit
// status, and that a refused run leaves an earlier kanvo.dat as it was.
#include <gtest/gtest.h>

#include <optional>

#include "program_run.hpp"
#include "temp_folder.hpp"

namespace {

// The line after player 17 is never reached, so its malformed rating does not matter.
const std::string kFullList =
    crlf({"  2 1400.00 5", "  3 1523.456 120  poznamka", " 10\t1600 7", " 17 987 0", " 99 abc 1"});

TEST(PrevodRun, KeepsTheEnteredPlayersInAscendingOrder) {
    TempFolder folder;
    folder.write("hraci.txt", crlf({"17", "3 Novak", " 17", "-4", "", ""}));
    folder.write("kanvo.txt", kFullList);
    ProgramRun run = runProgram("prevod", folder.path(), {}, "");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Soubor KANVO.DAT byl vytvoren s 2 hraci\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(folder.read("kanvo.dat"), crlf({"  3 1523.46 120", " 17  987.00 0"}));
}

TEST(PrevodRun, NobodyEnteredGivesAnEmptyList) {
    for (const char* entered : {"", "\r\n  \r\n"}) {
        TempFolder folder;
        folder.write("hraci.txt", entered);
        folder.write("kanvo.txt", kFullList);
        ProgramRun run = runProgram("prevod", folder.path(), {}, "");
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, "Soubor KANVO.DAT byl vytvoren s 0 hraci\n");
        EXPECT_TRUE(folder.exists("kanvo.dat"));
        EXPECT_EQ(folder.read("kanvo.dat"), "");
    }
}

TEST(PrevodRun, RefusalsLeaveKanvoDatAsItWas) {
    struct Case {
        std::optional<std::string> entered, fullList;
        int exitCode;
        std::string err;  // the start of standard error
    };
    const Case cases[] = {
        {std::nullopt, kFullList, 2, "Runtime error 2\n"},
        {"", std::nullopt, 1, "Soubor kanvo.txt neexistuje\n"},
        {"2500\r\n", std::nullopt, 1, "Soubor kanvo.txt neexistuje\n"},
        {"3\r\n2500\r\n", kFullList, 1, "Cislo hrace 2500 v souboru hraci.txt je mimo rozsah 1..2000\n"},
        {"5\r\n3\r\n", crlf({"3 1500 1", "4 1400 2"}), 1, "Hrac 5 neni v souboru kanvo.txt\n"},
        // Out of order: player 10 was read past while looking for player 3.
        {"3\r\n10\r\n", crlf({"10 1600 7", "3 1500 1"}), 1, "Hrac 10 neni v souboru kanvo.txt\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.write("kanvo.dat", "old\r\n");
        if (c.entered) folder.write("hraci.txt", *c.entered);
        if (c.fullList) folder.write("kanvo.txt", *c.fullList);
        ProgramRun run = runProgram("prevod", folder.path(), {}, "");
        EXPECT_EQ(run.exitCode, c.exitCode) << c.err;
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(folder.read("kanvo.dat"), "old\r\n") << c.err;
    }
}

}  // namespace
