// A hand-worked tournament shared by the tests: five players, three rounds, byes in rounds
// 1 and 3, player 5 without a line in round 2; round 3 ends with a blank line.
#pragma once

#include <string>
#include <vector>

#include "temp_folder.hpp"

// Round 1: 7-3 412:380, 12-20 350:350, 5 bye. Round 2: 3-12 300:410, 20-7 420:400.
// Round 3: 7-12 390:395, 5-3 451:300, 20 bye.
inline const std::string kRound1 = crlf({"  7   3   412  380      1  Novak Jan  -  Dvorak",
                                         " 12  20   350  350      2  Svoboda  -  Prochazkova",
                                         "  5   0   300  300      0  Nikdo  -  BYE"});
inline const std::string kRound2 = crlf({"  3  12   300  410      1", " 20   7   420  400      2"});
inline const std::string kRound3 =
    crlf({"  7  12   390  395      1", "  5   3   451  300      2", " 20   0   300  300      0"}) + "\r\n";

// Two lines for 7 (the last wins), a tab separator, markup characters, a name over 25
// characters, a player who does not play, and none for 5.
inline const std::string kPlayers = crlf({"7 Stary Nazev", "3 Dvorak & Syn", "12\tSvoboda <Petr>", "99 Nehraje",
                                          "7 Novak Jan", "20 Prochazkova Marie Magdalena"});
inline const std::string kCoefficients = crlf({"1.0 1E-3 2E-3 0.5 vahy TURCAS"});

// The standings text with the ratings 20: 1700, 7: 1600, 3: 1500, 12: 1450.5, 5: 1400.
// 3's Buchholz is 7's 1 point, 12's 2.5 and 5's 1.5 with a half point for 5's missing round;
// 5 gets 1.5 for each bye or missed round. The columns before the rating (the first 65
// characters) do not depend on the ratings.
inline const std::vector<std::string> kStandingsText = {
    "  1. Svoboda <Petr>             2.5      2.9     3.0 1155 1040 -1  1450.5 1600.0  100.0",
    "  2. Prochazkova Marie Magdale  2.0      2.8     5.0 1070 1050  0  1700.0 1525.3  105.7",
    "  3.                            1.5      1.6     3.0  751  600  1  1400.0 1500.0    0.0",
    "  4. Novak Jan                  1.0      2.2     4.5 1202 1195  1  1600.0 1550.2  132.1",
    "  5. Dvorak & Syn               0.0      2.7     5.5  980 1273 -1  1500.0 1483.5  104.0"};
inline constexpr std::size_t kColumnsBeforeRating = 65;
