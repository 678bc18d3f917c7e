// The tables rekordy works on (names, games, ratings) and the records computed from them:
// the five game records and the largest rating rise, as the lines of rekordy.txt.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game_files.hpp"

inline constexpr std::int32_t kMaxPlayerNumber = 1000;
inline constexpr std::size_t kNameWidth = 25;

// Indexed directly by player number 1..kMaxPlayerNumber; index 0 stays unused.
using NameTable = std::array<std::string, kMaxPlayerNumber + 1>;  // padded to 25, "" = no line
using RatingTable = std::array<double, kMaxPlayerNumber + 1>;     // 0 = not listed

struct RecordTables {
    NameTable names;
    std::vector<Game> games;  // partie.dat order, byes left out, at most kMaxGames
    RatingTable oldRatings{};  // kanvo.dat
    RatingTable newRatings{};  // kanvo.new
};

enum class GameRecord { HighestTotal, HighestScore, HighestLosingScore, LargestMargin, NarrowestLoss };

inline constexpr std::array<GameRecord, 5> kGameRecords = {
    GameRecord::HighestTotal, GameRecord::HighestScore, GameRecord::HighestLosingScore,
    GameRecord::LargestMargin, GameRecord::NarrowestLoss};

// The heading line, with its trailing blank.
std::string recordHeading(GameRecord record);
// The record value found in one pass over the games, from the record's own starting value.
std::int64_t recordValue(GameRecord record, const std::vector<Game>& games);
// Whether a game is listed under the record with this value.
bool isListed(GameRecord record, const Game& game, std::int64_t value);

// One listed game: value, the two names, the two scores.
std::string gameLine(std::int64_t value, const Game& game, const NameTable& names);
// Every record: heading, listed games in games order, an empty line.
std::vector<std::string> gameRecordLines(const std::vector<Game>& games, const NameTable& names);

// Player 0 when nobody's rating rose.
struct RatingRise {
    double rise = 0;
    std::int32_t player = 0;
};

// The strictly largest positive rise; among equal rises the lowest number.
RatingRise largestRise(const RatingTable& oldRatings, const RatingTable& newRatings);
// The heading and the rise line; no empty line follows.
std::vector<std::string> riseLines(const RatingRise& rise, const NameTable& names);
