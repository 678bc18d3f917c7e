// The round file and pairing page made from a pairing list: table numbers, the bye last,
// name padding and cutting, the heading, and escaping on the page only.
#include <gtest/gtest.h>

#include "pairing_outputs.hpp"

namespace {

PlayerNames names(const std::string& text) {
    TextReader reader("osoby.dat", text);
    return readPlayerNames(reader, kPairingNameLength);
}

TEST(PairingOutputs, ByeInTheMiddleOfTheListIsWrittenLast) {
    auto out = pairingOutputs(3, {{1, 2}, {3, 4}, {5, 0}, {6, 7}, {8, 9}, {10, 11}},
                              names("1 A\n2 B\n3 C\n4 D\n5 E\n6 F\n7 G\n8 H\n9 I\n10 J\n11 K\n"));
    ASSERT_EQ(out.roundFile.size(), 6u);
    EXPECT_EQ(out.roundFile[0], "  1   2   0 0    1  A                           -   B                        ");
    EXPECT_EQ(out.roundFile[2], "  6   7   0 0    3  F                           -   G                        ");
    EXPECT_EQ(out.roundFile[4], " 10  11   0 0    5  J                           -   K                        ");
    EXPECT_EQ(out.roundFile[5], "  5   0 300 300  0  E                           -   BYE                      ");
    EXPECT_EQ(out.page[3], "<tr><td>1&nbsp;&nbsp;&nbsp;<td>A                        "
                           "<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; <td>B                        ");
    EXPECT_EQ(out.page[8], "<tr><td>&nbsp;<td>E                        "
                           "<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; <td>BYE                      ");
    EXPECT_EQ(out.page.back(), "</table></center></body></html>");
}

TEST(PairingOutputs, NamesArePaddedTo25AndCutAt30) {
    const std::string n25(25, 'a'), n28(28, 'b'), n35(35, 'c');
    auto out = pairingOutputs(1, {{1, 2}, {3, 4}}, names("1 " + n25 + "\r\n2 " + n28 + "\r\n3 " + n35 + "\r\n"));
    EXPECT_EQ(out.roundFile[0], "  1   2   0 0    1  " + n25 + "   -   " + n28);
    EXPECT_EQ(out.roundFile[1], "  3   4   0 0    2  " + std::string(30, 'c') + "   -   " + std::string(25, ' '))
        << "a player without a line in osoby.dat gets 25 blanks";
}

TEST(PairingOutputs, HeadingCarriesTheRoundAndOnlyThePageIsEscaped) {
    auto out = pairingOutputs(12, {{1, 2}}, names("1 Kral & <Kralovna>\r\n2 \"Dama\"\r\n"));
    EXPECT_EQ(out.page[0], "<html><title>Los</title><body>");
    EXPECT_EQ(out.page[1], "<center><font size=+1><u>Parovani 12. kola</u></font><br>");
    EXPECT_EQ(out.page[2], "<table border=0>");
    EXPECT_EQ(out.page[3], "<tr><td>1&nbsp;&nbsp;&nbsp;<td>Kral &amp; &lt;Kralovna&gt;        "
                           "<td>&nbsp;&nbsp;&nbsp;-&nbsp;&nbsp;&nbsp; <td>&quot;Dama&quot;                   ");
    EXPECT_EQ(out.roundFile[0], "  1   2   0 0    1  Kral & <Kralovna>           -   \"Dama\"                   ");
}

TEST(PairingOutputs, OnlyTheLastOfSeveralByeLinesIsWritten) {
    auto out = pairingOutputs(2, {{4, 0}, {1, 2}, {5, 0}}, names(""));
    ASSERT_EQ(out.roundFile.size(), 2u);
    EXPECT_EQ(out.roundFile[1].substr(0, 19), "  5   0 300 300  0 ");
}

}  // namespace
