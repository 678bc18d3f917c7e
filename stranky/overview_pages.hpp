// The pages about the whole tournament: the overview index.html (latest standings, rounds,
// players, records), the cross table and the records as rekordy computes them.
#pragma once

#include <string>

#include "tournament.hpp"

std::string overviewPage(const Tournament& tournament);
std::string crossTablePage(const Tournament& tournament);
std::string recordsPage(const Tournament& tournament);
