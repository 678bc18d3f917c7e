// The pairing outputs of a round: the round file partie<K>.txt, ready for the results, and
// the pairing page los<K>.htm, both made from the pairing list and the players' names.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game_files.hpp"
#include "players_file.hpp"

struct PairingOutputs {
    std::vector<std::string> roundFile;  // lines of partie<K>.txt
    std::vector<std::string> page;       // lines of los<K>.htm
};

// Tables are numbered in list order; the bye (second player 0) is written last, and of
// several bye lines only the last one.
PairingOutputs pairingOutputs(std::int32_t K, const std::vector<std::pair<std::int32_t, std::int32_t>>& pairs,
                              const PlayerNames& names);
