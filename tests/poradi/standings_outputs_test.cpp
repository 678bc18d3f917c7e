// The three outputs byte for byte: the hand-worked tournament in every column, and single
// records for the widths, signs and rounding that are easy to get wrong.
#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <sstream>

#include "fixed.hpp"
#include "hand_worked_tournament.hpp"
#include "standings_outputs.hpp"
#include "temp_folder.hpp"

namespace {

std::vector<Game> roundOf(const std::string& text) {
    TextReader reader("partie.txt", text);
    return readGames(reader);
}

class HandWorkedTournament : public testing::Test {
protected:
    void SetUp() override {
        RoundFiles rounds = {roundOf(kRound1), roundOf(kRound2), roundOf(kRound3)};
        table = totalsPass(rounds);
        readNames(table, TextReader("osoby.dat", kPlayers));
        readRatings(table, TextReader("kanvo.new", crlf({" 20 1700.0", "  7 1600.0", "  3 1500.0", " 12 1450.5",
                                                        "  5 1400.0", " 99 1300.0"})));
        buchholzAndOpponentPass(table, rounds, 3);
        std::istringstream in;
        Console quiet{&in, &console, false};
        adjustMissedRounds(table, 3, quiet);
        computeDerivedValues(table, readCoefficients(TextReader("koef.txt", kCoefficients)), 3);
        sortStandings(table);
    }

    std::string written(const std::string& name, const std::function<void(TextWriter&)>& write) {
        TextWriter file((folder.path() / name).string());
        write(file);
        file.close();
        return folder.read(name);
    }

    TempFolder folder;
    std::ostringstream console;
    Standings table;
};

TEST_F(HandWorkedTournament, StandingsTextFile) {
    EXPECT_EQ(console.str(), "Bucholtz upraven u hrace 5\n");
    EXPECT_EQ(written("poradi3.txt", [&](TextWriter& f) { writeStandingsText(f, table); }),
              std::accumulate(kStandingsText.begin(), kStandingsText.end(), std::string(),
                              [](std::string text, const std::string& line) { return text + line + "\r\n"; }));
}

TEST_F(HandWorkedTournament, GamesPage) {
    TextReader reader("partie3.txt", kRound3);
    const std::vector<Table> lines = readTables(reader, 0);
    EXPECT_EQ(written("partie3.htm", [&](TextWriter& f) { writeGamesPage(f, table, 3, lines); }),
              crlf({"<html><title>Partie</title><body>",
                    "<center><font size=+1><strong><u>Partie v 3. kole</u></strong></font><br><br>",
                    "<table border=0>", "<tr><td>1",
                    "&nbsp;&nbsp;&nbsp;<td>Novak Jan<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; <td><strong>Svoboda "
                    "&lt;Petr&gt;<td>&nbsp;&nbsp;&nbsp;<td>390<td>:<td>395<tr><td>2",
                    "&nbsp;&nbsp;&nbsp;<td><strong><td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; <td>Dvorak &amp; "
                    "Syn<td>&nbsp;&nbsp;&nbsp;<td>451<td>:<td>300<tr><td>0",
                    "&nbsp;&nbsp;&nbsp;<td>Prochazkova Marie Magdale<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; "
                    "<td>BYE<td>&nbsp;&nbsp;&nbsp;<td>300<td>:<td>300</table></body></html>"}));
}

TEST_F(HandWorkedTournament, StandingsPage) {
    EXPECT_EQ(
        written("poradi3.htm", [&](TextWriter& f) { writeStandingsPage(f, table, 3); }),
        crlf({"<html><title>Poradi</title><body>",
              "<center><font size=+1><strong><u>Poradi po 3. kole</u></strong></font><br><br>", "<table border=0>",
              "<tr align=center><td colspan=2>&nbsp;<td><strong>Bodu<td><strong>TURCAS<td><strong>Buch.<td colspan=2>",
              "<strong>Skore<td><strong>Zac.<td><strong>Sila<td><strong>ARO<td><strong>Sig",
              "<tr align=center><td><strong>1.<td><strong>Svoboda &lt;Petr&gt;<td><strong> 2.5<td><strong>     "
              "2.9<td>   3.0<td>1155<td>1040<td>&nbsp;&nbsp;-1&nbsp;&nbsp;<td>1450.5<td>1600.0<td>  100.0",
              "<tr align=center><td><strong>2.<td><strong>Prochazkova Marie Magdale<td><strong> 2.0<td><strong>     "
              "2.8<td>   5.0<td>1070<td>1050<td>&nbsp;&nbsp;0&nbsp;&nbsp;<td>1700.0<td>1525.3<td>  105.7",
              "<tr align=center><td><strong>3.<td><strong><td><strong> 1.5<td><strong>     "
              "1.6<td>   3.0<td> 751<td> 600<td>&nbsp;&nbsp;+1&nbsp;&nbsp;<td>1400.0<td>1500.0<td>    0.0",
              "<tr align=center><td><strong>4.<td><strong>Novak Jan<td><strong> 1.0<td><strong>     "
              "2.2<td>   4.5<td>1202<td>1195<td>&nbsp;&nbsp;+1&nbsp;&nbsp;<td>1600.0<td>1550.2<td>  132.1",
              "<tr align=center><td><strong>5.<td><strong>Dvorak &amp; Syn<td><strong> 0.0<td><strong>     "
              "2.7<td>   5.5<td> 980<td>1273<td>&nbsp;&nbsp;-1&nbsp;&nbsp;<td>1500.0<td>1483.5<td>  104.0",
              "</table></body></html>"}));
}

// One record with the values whose layout is easy to get wrong.
Standings oneRecord(std::int16_t z) {
    HRAC p;
    p.C = 4;
    p.JM = "Abcdefghijklmnopqrstuvwxy";  // 25 characters
    p.B = 10.5;
    p.TURCAS = -12.34;
    p.BCH = 123.45;
    p.S1 = 12345;
    p.S2 = 0;
    p.Z = z;
    p.NSA = 1487.26;
    p.ARO = 987.25;
    p.ARO2 = 0;
    return {p};
}

TEST(StandingsOutputs, WidthsSignsAndRoundingInTheTextFile) {
    TempFolder folder;
    for (std::int16_t z : {2, -1}) {
        TextWriter file((folder.path() / "poradi1.txt").string());
        writeStandingsText(file, oneRecord(z));
        file.close();
        EXPECT_EQ(folder.read("poradi1.txt"),
                  "  1. Abcdefghijklmnopqrstuvwxy 10.5    -12.3   123.5 12345    0 " + formatInt(z, 2) +
                      "  1487.3  987.3    0.0\r\n")
            << "a 25-character name is followed by one blank; a start balance of " << z << " has no plus sign";
    }
}

TEST(StandingsOutputs, WidthsSignsAndRoundingInTheStandingsPage) {
    TempFolder folder;
    for (std::int16_t z : {2, -1, 0}) {
        TextWriter page((folder.path() / "poradi1.htm").string());
        writeStandingsPage(page, oneRecord(z), 1);
        page.close();
        std::string balance = z == 2 ? "+2" : z == -1 ? "-1" : "0";
        EXPECT_NE(folder.read("poradi1.htm")
                      .find("<tr align=center><td><strong>1.<td><strong>Abcdefghijklmnopqrstuvwxy<td><strong>10.5"
                            "<td><strong>   -12.3<td> 123.5<td>12345<td>   0<td>&nbsp;&nbsp;" +
                            balance + "&nbsp;&nbsp;<td>1487.3<td> 987.3<td>    0.0\r\n"),
                  std::string::npos)
            << balance;
    }
}

TEST(StandingsOutputs, EmptyTable) {
    TempFolder folder;
    TextWriter file((folder.path() / "poradi0.txt").string());
    writeStandingsText(file, {});
    file.close();
    EXPECT_EQ(folder.read("poradi0.txt"), "");
    TextWriter page((folder.path() / "poradi0.htm").string());
    writeStandingsPage(page, {}, 0);
    page.close();
    EXPECT_NE(folder.read("poradi0.htm").find("Sig\r\n</table></body></html>\r\n"), std::string::npos);
}

TEST(StandingsOutputs, GamesPageRowsOfDrawsByesAndSkippedLines) {
    Standings table = totalsPass({roundOf("1 2 300 300 1\r\n3 -1 250 300 0\r\n")});
    readNames(table, TextReader("osoby.dat", crlf({"1 A", "2 B", "3 C"})));
    std::vector<Table> lines = {{1, 2, 300, 300, 1, {}}, {0, 0, 0, 0, 0, {}}, {-2, 1, 0, 0, 2, {}},
                                {3, -1, 250, 300, 0, {}}};
    TempFolder folder;
    TextWriter page((folder.path() / "partie1.htm").string());
    writeGamesPage(page, table, 1, lines);
    page.close();
    std::string text = folder.read("partie1.htm");
    EXPECT_NE(text.find("<table border=0>\r\n<tr><td>1\r\n&nbsp;&nbsp;&nbsp;<td>A<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;"
                        "&nbsp; <td>B<td>&nbsp;&nbsp;&nbsp;<td>300<td>:<td>300<tr><td>0\r\n&nbsp;&nbsp;&nbsp;<td>C"
                        "<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; <td><strong><td>&nbsp;&nbsp;&nbsp;<td>250<td>:"
                        "<td>300</table></body></html>\r\n"),
              std::string::npos)
        << "a draw marks nobody; lines without a first player are skipped; a second player below 0 "
           "leaves the cell empty, without BYE\n"
        << text;
}

}  // namespace
