// stranky --sledovat: the tournament's files polled through the platform (size and time of
// each), the site built again within about two seconds of a change, until Ctrl+C.
#pragma once

#include "console.hpp"
#include "tournament.hpp"

// Reads the tournament and writes the site, telling the console what it wrote.
void buildSite(Console& console, const Tournament& tournament);

// Polls until the program is interrupted; the interrupt removes a page being written.
[[noreturn]] void watchTournament(Console& console, Tournament tournament);
