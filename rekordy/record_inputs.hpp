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
// Each line of a file into its table as it is read, its player numbers checked first, so the
// first faulty line is the one reported. Names are cut at 25 characters and padded to 25; a
// later line for a number replaces the earlier one. Only games with a second player are
// stored, in file order. kanvo.dat's games count is not used.
void storeNames(TextReader& reader, NameTable& names);
void storeGames(TextReader& reader, std::vector<Game>& games);
void storeOldRatings(TextReader& reader, RatingTable& ratings);
void storeNewRatings(TextReader& reader, RatingTable& ratings);

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
