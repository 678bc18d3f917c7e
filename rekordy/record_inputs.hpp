// How rekordy's input files enter its tables: osoby.dat, partie.dat, kanvo.dat, kanvo.new.
// A player number outside 1..1000 or a 2001st game stops the run before anything is written.
#pragma once

#include <string>
#include <vector>

#include "players_file.hpp"
#include "rating_files.hpp"
#include "records.hpp"
#include "text_reader.hpp"

inline constexpr const char* kRecordsFileName = "rekordy.txt";
// Names cut at 25 characters and padded to 25; a later line for a number replaces the earlier.
void storeNames(NameTable& names, const PlayerNames& lines, const std::string& fileName);
// The games with a second player, in file order.
void storeGames(std::vector<Game>& games, const std::vector<Game>& lines, const std::string& fileName);
// Ratings of kanvo.dat (the games count is not used) or of kanvo.new.
template <typename RatingLine>
void storeRatings(RatingTable& ratings, const std::vector<RatingLine>& lines, const std::string& fileName);

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
