// How rekordy's input files enter its tables: osoby.dat, partie.dat, kanvo.dat, kanvo.new.
// A player number outside 1..1000 or a 2001st game stops the run before anything is written.
#pragma once

#include <string>
#include <vector>

#include "players_file.hpp"
#include "records.hpp"
#include "text_reader.hpp"

inline constexpr const char* kRecordsFileName = "rekordy.txt";
inline constexpr const char* kRatingListName = "kanvo.dat";
inline constexpr const char* kNewRatingListName = "kanvo.new";

// One line of a rating file: the player number and the rating.
struct PlayerRating {
    std::int32_t number = 0;
    double rating = 0;
};

// Names cut at 25 characters and padded to 25; a later line for a number replaces the earlier.
void storeNames(NameTable& names, const PlayerNames& lines, const std::string& fileName);
// The games with a second player, in file order.
void storeGames(std::vector<Game>& games, const std::vector<Game>& lines, const std::string& fileName);
void storeRatings(RatingTable& ratings, const std::vector<PlayerRating>& lines, const std::string& fileName);

// kanvo.dat: number, rating and games count per line (the count is read and not used).
std::vector<PlayerRating> readRatingList(TextReader& reader);
// kanvo.new: number and rating per line.
std::vector<PlayerRating> readNewRatingList(TextReader& reader);

// The rise needs both rating files; the missing ones are named here, in reading order.
struct RatingFiles {
    bool complete = false;
    std::vector<std::string> missing;
};

// Reads osoby.dat and partie.dat (run-time error 2 when one cannot be opened), then both
// rating files when both exist.
void readNamesFile(RecordTables& tables);
void readGameList(RecordTables& tables);
RatingFiles readRatingFiles(RecordTables& tables);

// "Soubor kanvo.dat neexistuje", or one line naming both files.
std::string missingFilesMessage(const std::vector<std::string>& missing);
