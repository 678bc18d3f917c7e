// Building kanvo.dat from the full rating list kanvo.txt: the set of entered players from
// hraci.txt, one front-to-back pass over kanvo.txt, and the kanvo.dat line layout.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text_reader.hpp"

inline constexpr const char* kEnteredPlayersName = "hraci.txt";
inline constexpr const char* kFullRatingListName = "kanvo.txt";
inline constexpr const char* kRatingListName = "kanvo.dat";
inline constexpr std::int32_t kMaxPlayerNumber = 2000;

// One mark per player number 1..kMaxPlayerNumber; index 0 stays unused.
struct PlayerSet {
    std::array<bool, kMaxPlayerNumber + 1> marked{};
};

// One line of kanvo.txt (and of kanvo.dat).
struct RatingLine {
    std::int32_t number = 0;
    double rating = 0;
    std::int32_t games = 0;
};

// The leading number of every line of hraci.txt.
std::vector<std::int32_t> readPlayerNumbers(TextReader& reader);
// Marks every number above 0; a number above 2000 stops the run with a message.
PlayerSet markPlayers(const std::vector<std::int32_t>& numbers);

// Reads on from where the previous search stopped until the line of this player; nothing when
// the list ends first (the player is missing or the list is out of order).
std::optional<RatingLine> findPlayer(TextReader& fullList, std::int32_t number);

// "  7 1523.40 120"
std::string ratingListLine(const RatingLine& line);

// The lines of the marked players in ascending order; a player without a line in the full
// list stops the run with a message.
std::vector<std::string> importedLines(const PlayerSet& players, TextReader& fullList);
