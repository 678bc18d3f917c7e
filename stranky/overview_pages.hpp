// The pages about the whole tournament: the overview index.html (the name, the round being
// played first, the leaders, rounds, players), the cross table and the records as rekordy
// computes them, with the round of each game.
#pragma once

#include <string>

#include "tournament.hpp"

std::string overviewPage(const Tournament& tournament);
// aktualni.html before the first round is paired (then it is the round's pairing by name).
std::string noRoundPage(const Tournament& tournament);
std::string crossTablePage(const Tournament& tournament);
std::string recordsPage(const Tournament& tournament);
