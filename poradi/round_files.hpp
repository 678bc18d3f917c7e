// The round files partie1.txt .. partie<N>.txt, read once for every pass of the run, and
// the game list partie.dat rebuilt from them.
#pragma once

#include <cstdint>
#include <vector>

#include "console.hpp"
#include "game_files.hpp"

// Lines of partie1.txt .. partie<N>.txt, index 0 holding round 1.
using RoundFiles = std::vector<std::vector<Game>>;

// Rounds 1 to round (none for 0 or below); a missing file is run-time error 2.
RoundFiles readRoundFiles(std::int32_t round);

// partie.dat anew: every line with a second player, in round and line order. Round files that
// still hold 0 0 results are named on the console first (the files stay as they are).
void rebuildGameList(const RoundFiles& rounds, Console& console);
