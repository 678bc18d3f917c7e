// The players file osoby.dat: one line per player, the number, one separator character,
// then the name to the end of the line. When a number occurs twice the last line wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text_reader.hpp"

inline constexpr const char* kPlayersFileName = "osoby.dat";

struct PlayerName {
    std::int32_t number;
    std::string name;  // at most the reader's length limit
};

using PlayerNames = std::vector<PlayerName>;

// One line, or every line of the file; names cut to maxLength characters.
PlayerName readPlayerName(TextReader& reader, std::size_t maxLength);
PlayerNames readPlayerNames(TextReader& reader, std::size_t maxLength);
// Nothing when the file cannot be opened.
std::optional<PlayerNames> readPlayersFile(const std::string& path, std::size_t maxLength);

// The name on the last line with this number; empty when there is none.
std::string playerName(const PlayerNames& names, std::int32_t number);
