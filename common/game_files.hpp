// The game files: round files partie<N>.txt (the pairing layout and the results layout),
// read once for a run; the game list partie.dat built from them; the two leading numbers of
// the pairing list los<N>.txt; the task file's name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "text_reader.hpp"
#include "text_writer.hpp"

inline constexpr const char* kGameListName = "partie.dat";
inline constexpr const char* kTaskFileName = "zadani.txt";  // from the recomputation to the optimiser
inline constexpr std::size_t kMaxTableText = 255;  // the names part kept by results entry
inline constexpr std::size_t kMaxGames = 2000;     // games the rating recomputation can hold

// The names part of a round-file line: two blanks, then the two names, each padded to
// kNameColumn, with kNamesBetween between them. The pairing keeps kPairingNameLength bytes of
// a name.
inline constexpr std::size_t kNameColumn = 25;
inline constexpr std::size_t kPairingNameLength = 30;
inline constexpr std::string_view kNamesBetween = "   -   ";

// One line of a round file or of the game list: players and scores (0 0 = not entered;
// second player 0 = bye).
struct Game {
    std::int32_t k1 = 0, k2 = 0, v1 = 0, v2 = 0;
};

// One line of a round file with its table number and the names part that follows it.
struct Table {
    std::int32_t k1 = 0, k2 = 0, v1 = 0, v2 = 0, table = 0;
    std::string names;  // starts with its two blanks
};

std::string roundFileName(std::int32_t round);    // partie12.txt
std::string pairingListName(std::int32_t round);  // los12.txt

// Where los keeps a round with results that it pairs again: the m-th copy of round 12 is
// zaloha/partie12-<m>.txt, m from 1.
inline constexpr const char* kBackupFolder = "zaloha";
std::string backupFileName(std::int32_t round, std::int32_t m);
// How many copies los kept of round K in zaloha/ beside the round file roundFile (one each time it
// paired the round again with results in it): zaloha/partie<K>-1.txt, -2, ... as far as they follow.
std::int32_t copiesKept(const std::string& roundFile, std::int32_t K);

// The first four numbers of a line; of every line, the rest of each line skipped.
Game readGame(TextReader& reader);
std::vector<Game> readGames(TextReader& reader);
// The first five numbers of every line and up to namesLimit characters after them.
std::vector<Table> readTables(TextReader& reader, std::size_t namesLimit);
// The first two numbers of every line of a pairing list.
std::vector<std::pair<std::int32_t, std::int32_t>> readPairingList(TextReader& reader);

// Lines of partie1.txt .. partie<N>.txt, index 0 holding round 1.
using RoundFiles = std::vector<std::vector<Game>>;

// Games of a round file with a real opponent (second player above 0) whose scores are not
// 0 0. A line whose numbers do not read counts too: what cannot be read for sure is kept.
std::int32_t enteredResults(TextReader& reader);

// The lines of partie<round>.txt; nothing when the file cannot be opened.
std::optional<std::vector<Game>> readRoundFile(std::int32_t round);
// Rounds 1 to last (none for 0 or below); a missing file is run-time error 2.
RoundFiles readRoundFiles(std::int32_t last);

// The game list of these rounds: every line with a second player, in round and line order.
// More games than the rating recomputation holds stop the program with a message naming the
// limit and the round files.
std::vector<Game> gameList(const RoundFiles& rounds);
// partie.dat's bytes: the four numbers of a game in width 3, single blanks between them.
std::string gameListText(const std::vector<Game>& games);
void writeGameList(const std::vector<Game>& games, FileLife life);

// A result still 0 0: not entered yet.
inline bool notEntered(std::int32_t v1, std::int32_t v2) { return v1 == 0 && v2 == 0; }
// Lines of a round whose result is still 0 0, and the line that reports them.
std::int32_t zeroResults(const std::vector<Game>& round);
std::string zeroResultsLine(std::int32_t round, std::int32_t count);

// A round-file line as the pairing writes it: scores "   0 0   ", or " 300 300 " for the bye.
std::string pairingLine(std::int32_t k1, std::int32_t k2, std::int32_t table, const std::string& name1,
                        const std::string& name2);
std::string byeLine(std::int32_t k1, const std::string& name1, const std::string& name2);
// A round-file line as results entry writes it.
std::string resultLine(const Table& entry);

// The names part as the organiser reads it, in UTF-8: each name decoded (name_encoding.hpp),
// also one that the pairing's cut left without the end of a character, and padded to its
// column in characters, not bytes; a part of another form decoded whole.
std::string readableNamesPart(std::string_view namesPart);
