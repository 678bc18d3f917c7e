// The results this desk stored in this run, so that it notices when one of them was undone (a lock
// that works only on one computer, another desk's stale copy written back) and stores it again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console.hpp"
#include "game_files.hpp"

struct Scores {
    std::int32_t v1 = 0, v2 = 0;
    bool operator==(const Scores&) const = default;
};

// A result acknowledged at a table (its position and players), and the pairs it replaced there.
struct OwnResult {
    std::size_t position = 0;
    std::int32_t k1 = 0, k2 = 0;
    Scores stored;
    std::vector<Scores> replaced;
};

struct OwnResults {
    std::int32_t round = 0;
    std::int32_t copies = 0;   // los's copies of the round in zaloha/ at the last read
    std::vector<OwnResult> results;
    std::string lastWritten;   // the round file as this desk last wrote it
    bool otherWriter = false;  // the round was written by another desk meanwhile
    bool warned = false;
};

// A store acknowledged: before was the entry's pair under the lock, the entry holds the new one.
void rememberStore(OwnResults& own, const Table& entry, std::size_t position, Scores before);

// The round paired again since the last read (los kept one more copy of it): this desk's results
// went with the old pairing by the organiser's decision, and are no longer put back.
void forgetIfPairedAgain(OwnResults& own, std::int32_t copies);

// The round file as read under the lock: another desk wrote it when it is not what this desk
// wrote last.
void noteRoundRead(OwnResults& own, const std::string& bytes);

// Puts every result of this desk that went back to a pair it replaced back into entries (a pair
// the other desk typed over it is that desk's decision and stays), and warns once
// "Zamykani slozky mezi pocitaci nefunguje, zadavejte vysledky jen na jednom pocitaci". True
// when any was put back.
bool putBackLostResults(Console& console, OwnResults& own, std::vector<Table>& entries);
