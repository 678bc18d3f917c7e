// The store of one typed result: the round file read again under its lock, only the typed
// table changed, so that two results desks on one round never undo each other's work.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "console.hpp"
#include "game_files.hpp"
#include "own_results.hpp"
#include "platform.hpp"
#include "text_writer.hpp"

inline constexpr std::size_t kMaxTables = 100;

// The entries of the round file (lines with a first player above 0); nothing when the file
// stays missing for a moment (roundFileSeen). More than kMaxTables entries end the program
// with a message.
std::optional<std::vector<Table>> loadEntries(const std::string& fileName);
std::vector<Table> entriesIn(const std::string& fileName, const std::string& bytes);

// The same players on the same lines: the round was not paired again.
bool samePairing(const std::vector<Table>& a, const std::vector<Table>& b);

// The line of an entry with a pair of scores, as the organiser sees a game: the names part
// (readable on a console, its bytes when redirected), then the scores.
void showGame(Console& console, const Table& entry, std::int32_t v1, std::int32_t v2);

// The scores typed for the entry at a position (0 = first line).
struct TypedResult {
    std::size_t position = 0;
    std::int32_t v1 = 0, v2 = 0;
};

// The entries as the round file's bytes (results layout), and their replace of the round file.
std::string roundFileBytes(const std::vector<Table>& entries);
using RoundFileWriter = ReplaceResult (*)(const std::string& fileName, const std::string& bytes);
ReplaceResult writeRoundFile(const std::string& fileName, const std::string& bytes);

enum class StoreOutcome { Done, FileMissing };

// Stores the typed result into the round file as it is now, against the entries this session
// showed, and remembers it among the desk's own; own results found undone are stored again first. A table whose stored pair differs from the one shown is shown again before the
// overwrite question; a round paired anew meanwhile gets nothing stored and one line saying
// so. The folder's lock is held from the re-read to the replace, and never while a question
// waits for its answer. A file that cannot be replaced keeps the result for another try; "no"
// ends the program with the "nelze zapsat" message. A copy kept after the round file vanished is
// named, and put in place before the next try. A file replaced whose flush failed is a
// result stored, with the warning of warnNotDurable.
StoreOutcome storeResult(Console& console, const std::string& fileName, const std::vector<Table>& shown,
                         TypedResult typed, OwnResults& own, RoundFileWriter write = writeRoundFile);

// At the desk's end (table 0): its own results undone meanwhile are stored again; where another
// desk wrote the round during the run, it looks again a moment later, until a look finds none undone.
void finishStores(Console& console, const std::string& fileName, OwnResults& own, RoundFileWriter write = writeRoundFile);
