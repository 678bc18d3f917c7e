// rekordy run in a temporary folder: the whole rekordy.txt byte for byte, the console, the
// exit status, and that a stopped run leaves an earlier rekordy.txt as it was.
#include <gtest/gtest.h>

#include "program_run.hpp"
#include "temp_folder.hpp"

namespace {

const std::string kNovak = "Novak Jan                ";
const std::string kLong = "Dlouhy Karel z Podebrad a";  // first 25 of a 40-character name
const std::string kCerny = "Cerny Petr               ";

void writeTournament(const TempFolder& folder) {
    folder.write("osoby.dat", crlf({"1 Novak Jan", "2 Dlouhy Karel z Podebrad a Kunstatu ml.", "3 Stary zaznam",
                                    " 3 Cerny Petr", "", ""}));
    // Player 4 has no name; the bye line is not a game.
    folder.write("partie.dat",
                 crlf({"  1   2 412 380", "  3   4 300 450", "  1   0 300 300", "  2   3 401 400", ""}));
    folder.write("kanvo.dat", crlf({"  1 1500.00 10", "  2 1400.00 0", "  3 1600.00 50", "  4 1450.00 3"}));
    folder.write("kanvo.new", crlf({"  3 1590.0", "  1 1531.0", "  4 1480.5", "  2 1380.0"}));
}

const std::string kGameRecords = crlf({
    "Nejvyssi soucet skore : ", " 801   " + kLong + " - " + kCerny + "  401  400", "",
    "Nejvyssi skore : ", " 450   " + kCerny + " -   300  450", "",
    "Nejvyssi skore porazeneho : ", " 400   " + kLong + " - " + kCerny + "  401  400", "",
    "Nejvyssi rozdil : ", " 150   " + kCerny + " -   300  450", "",
    "Nejtesnejsi prohra : ", "   1   " + kLong + " - " + kCerny + "  401  400", ""});

TEST(RekordyRun, WritesTheRecordsAndNothingToTheConsole) {
    TempFolder folder;
    writeTournament(folder);
    ProgramRun run = runProgram("rekordy", folder.path(), {}, "");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(folder.read("rekordy.txt"), kGameRecords + crlf({"Nejvyssi rust sily : ", "  31.0 " + kNovak}));
}

TEST(RekordyRun, NoGamesAndNoRise) {
    TempFolder folder;
    writeTournament(folder);
    folder.write("partie.dat", "");
    folder.write("kanvo.new", crlf({"  1 1490.0", "  2 1400.0", "  3 1500.0", "  4 1449.9"}));
    EXPECT_EQ(runProgram("rekordy", folder.path(), {}, "").exitCode, 0);
    EXPECT_EQ(folder.read("rekordy.txt"),
              crlf({"Nejvyssi soucet skore : ", "", "Nejvyssi skore : ", "", "Nejvyssi skore porazeneho : ", "",
                    "Nejvyssi rozdil : ", "", "Nejtesnejsi prohra : ", "", "Nejvyssi rust sily : ", "   0.0 "}));
}

TEST(RekordyRun, MissingRatingListLeavesOutTheRiseAndSaysWhichFile) {
    TempFolder folder;
    writeTournament(folder);
    folder.remove("kanvo.new");
    ProgramRun run = runProgram("rekordy", folder.path(), {}, "");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Soubor kanvo.new neexistuje\n");
    EXPECT_EQ(folder.read("rekordy.txt"), kGameRecords);

    folder.remove("kanvo.dat");
    run = runProgram("rekordy", folder.path(), {}, "");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "Soubory kanvo.dat a kanvo.new neexistuji\n");
    EXPECT_EQ(folder.read("rekordy.txt"), kGameRecords);
}

TEST(RekordyRun, MissingNamesOrGamesIsARuntimeErrorAndTouchesNothing) {
    for (const char* missing : {"osoby.dat", "partie.dat"}) {
        TempFolder folder;
        writeTournament(folder);
        folder.write("rekordy.txt", "old\r\n");
        folder.remove(missing);
        ProgramRun run = runProgram("rekordy", folder.path(), {}, "");
        EXPECT_EQ(run.exitCode, 2) << missing;
        EXPECT_EQ(run.err.rfind("Runtime error 2\n", 0), 0u) << run.err;
        EXPECT_EQ(folder.read("rekordy.txt"), "old\r\n") << missing;
    }
}

std::string games(int count, const std::string& extra) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "  1   2 400 300\r\n";
    return text + extra;
}

TEST(RekordyRun, NumbersOutsideTheTablesStopBeforeWriting) {
    struct Case {
        std::string file, content, message;
    };
    const Case cases[] = {
        {"osoby.dat", "1001 Novy hrac\r\n", "Soubor osoby.dat: cislo hrace 1001 mimo rozsah 1..1000"},
        {"partie.dat", "  0   2 400 300\r\n", "Soubor partie.dat: cislo hrace 0 mimo rozsah 1..1000"},
        {"partie.dat", "  1  -3 400 300\r\n", "Soubor partie.dat: cislo hrace -3 mimo rozsah 1..1000"},
        {"partie.dat", games(2001, ""), "Soubor partie.dat: vice nez 2000 partii"},
        {"kanvo.dat", "1200 1500.00 3\r\n", "Soubor kanvo.dat: cislo hrace 1200 mimo rozsah 1..1000"},
        {"kanvo.new", "  1 1500.0\r\n   0 1400.0\r\n", "Soubor kanvo.new: cislo hrace 0 mimo rozsah 1..1000"},
        // Lines are checked as they are read: the earlier fault is the one reported.
        {"osoby.dat", "1001 Novy hrac\r\n12x Jiny hrac\r\n", "Soubor osoby.dat: cislo hrace 1001 mimo rozsah 1..1000"},
        {"partie.dat", "  0   2 400 300\r\n  1   2 4x0 300\r\n", "Soubor partie.dat: cislo hrace 0 mimo rozsah 1..1000"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        writeTournament(folder);
        folder.write("rekordy.txt", "old\r\n");
        folder.write(c.file, c.content);
        ProgramRun run = runProgram("rekordy", folder.path(), {}, "");
        EXPECT_EQ(run.exitCode, 1) << c.message;
        EXPECT_EQ(run.err, c.message + "\n");
        EXPECT_EQ(folder.read("rekordy.txt"), "old\r\n") << c.message;
    }

    // Record values are 32-bit: a margin beyond them is run-time error 215, not a wrapped value.
    {
        TempFolder folder;
        writeTournament(folder);
        folder.write("rekordy.txt", "old\r\n");
        folder.write("partie.dat", "  1   2 -2147483648 392\r\n");
        ProgramRun run = runProgram("rekordy", folder.path(), {}, "");
        EXPECT_EQ(run.exitCode, 215);
        EXPECT_EQ(run.err.rfind("Runtime error 215\n", 0), 0u) << run.err;
        EXPECT_EQ(folder.read("rekordy.txt"), "old\r\n");
    }

    // 2000 games fill the table exactly; a bye line is not a game.
    TempFolder folder;
    writeTournament(folder);
    folder.write("partie.dat", games(2000, "  5   0 300 300\r\n"));
    EXPECT_EQ(runProgram("rekordy", folder.path(), {}, "").exitCode, 0);
}

}  // namespace
