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
// One line of a file into its table, the player numbers checked first. Names are cut at 25
// characters and padded to 25; a later line for a number replaces the earlier one.
void storeName(NameTable& names, const PlayerName& line, const std::string& fileName);
// Only games with a second player are stored, in file order.
void storeGame(std::vector<Game>& games, const Game& line, const std::string& fileName);
// A rating of kanvo.dat (the games count is not used) or of kanvo.new.
void storeRating(RatingTable& ratings, std::int32_t number, double rating, const std::string& fileName);

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
