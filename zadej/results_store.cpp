// zadej's read-modify-write of the round file: take the folder's lock, read the file again,
// compare it with what the organiser was shown, change the typed table, replace the file, let go.
#include "results_store.hpp"

#include "fixed.hpp"
#include "folder_lock.hpp"
#include "run_error.hpp"
#include "shared_round_file.hpp"
#include "text_writer.hpp"

namespace {

// At the end, a desk that saw another desk write the round looks again after this long: a store of
// the other desk that read the round before this desk's last one ends well within it.
constexpr std::uint32_t kSettleMs = 1000;
constexpr int kMostEndChecks = 10;

Scores storedScores(const Table& entry) { return {entry.v1, entry.v2}; }

// Replaces the round file with entries under the held lock; the record and this desk's memory follow.
ReplaceResult replaceRound(const FolderLock& lock, const std::string& fileName, const std::string& before,
                           const std::vector<Table>& entries, OwnResults& own, RoundFileWriter write) {
    const std::string after = roundFileBytes(entries);
    ReplaceResult result = write(fileName, after);
    if (result.outcome == platform::ReplaceOutcome::Failed) return result;
    noteStored(lock, fileName, before, after);
    own.lastWritten = after;
    return result;
}

// A failed store: "Zkusit znovu?", and a copy kept after the round file vanished named and put in
// place first; no ends the program.
void askToTryAgain(Console& console, const std::string& fileName, const ReplaceResult& failed) {
    if (!failed.keptCopy.empty()) {
        writeYellow(console, keptCopyLine(fileName, failed.keptCopy));
        writeLine(console);
    }
    writeYellow(console, cannotWriteMessage(fileName) + ". Zkusit znovu? a/n ");
    if (!answeredYes(console)) stopWithMessage(failedReplaceMessage(fileName, failed));
    if (!failed.keptCopy.empty()) platform::replaceFile(failed.keptCopy, fileName, platform::Durability::Now);
}

// The round as it is now under the lock, with this desk's lost results put back and stored again.
struct CurrentRound {
    std::vector<Table> entries;
    std::string bytes;  // the round file as they are in it: the generation a store is made from
    bool putBack = false;
};
std::optional<CurrentRound> currentRound(Console& console, const FolderLock& lock, const std::string& fileName,
                                         OwnResults& own, RoundFileWriter write) {
    const auto bytes = currentRoundFile(lock, fileName, own.lastWritten);
    if (!bytes) return std::nullopt;
    forgetIfPairedAgain(own, copiesKept(fileName, own.round));
    noteRoundRead(own, *bytes);
    CurrentRound round{entriesIn(fileName, *bytes), *bytes};
    round.putBack = putBackLostResults(console, own, round.entries);
    if (round.putBack) {
        replaceRound(lock, fileName, *bytes, round.entries, own, write);
        round.bytes = roundFileBytes(round.entries);
    }
    return round;
}

}  // namespace

std::optional<std::vector<Table>> loadEntries(const std::string& fileName) {
    auto bytes = roundFileSeen(fileName);
    if (!bytes) return std::nullopt;
    return entriesIn(fileName, *bytes);
}

std::vector<Table> entriesIn(const std::string& fileName, const std::string& bytes) {
    TextReader reader(fileName, bytes);
    std::vector<Table> entries;
    for (Table& line : readTables(reader, kMaxTableText)) {
        if (line.k1 <= 0) continue;
        if (entries.size() == kMaxTables)
            stopWithMessage("Soubor " + fileName + " ma vice nez " + std::to_string(kMaxTables) + " radku");
        entries.push_back(std::move(line));
    }
    return entries;
}

bool samePairing(const std::vector<Table>& a, const std::vector<Table>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].k1 != b[i].k1 || a[i].k2 != b[i].k2) return false;
    return true;
}

void showGame(Console& console, const Table& entry, std::int32_t v1, std::int32_t v2) {
    writeFileText(console, entry.names, readableNamesPart(entry.names));
    writeLine(console, "  " + formatInt(v1, 3) + " : " + formatInt(v2, 3));
}

std::string roundFileBytes(const std::vector<Table>& entries) {
    std::string bytes;
    for (const Table& entry : entries) bytes += resultLine(entry) + "\r\n";
    return bytes;
}

ReplaceResult writeRoundFile(const std::string& fileName, const std::string& bytes) {
    return replaceFileSafely(fileName, bytes);
}

StoreOutcome storeResult(Console& console, const std::string& fileName, const std::vector<Table>& shown,
                         TypedResult typed, OwnResults& own, RoundFileWriter write) {
    const Scores wanted{typed.v1, typed.v2};
    Scores seen = storedScores(shown[typed.position]);  // the stored pair last shown
    std::optional<Scores> offeredOver;  // the stored pair the typed one was offered to replace
    for (;;) {
        auto lock = lockFolderAsking(console, fileName);
        auto round = currentRound(console, lock, fileName, own, write);
        if (!round) return StoreOutcome::FileMissing;
        std::vector<Table>& current = round->entries;
        if (!samePairing(shown, current)) {
            writeYellow(console, "Soubor " + fileName + " byl mezitim zmenen, vysledek nebyl ulozen");
            writeLine(console);
            return StoreOutcome::Done;
        }
        Table& entry = (current)[typed.position];
        const Scores stored = storedScores(entry);
        if (stored == wanted) return StoreOutcome::Done;  // no change
        if (stored != offeredOver) {
            // The first offer, or another desk stored this table since the last one.
            if (stored != seen) showGame(console, entry, stored.v1, stored.v2);
            seen = stored;
            offeredOver = stored;
            showGame(console, entry, wanted.v1, wanted.v2);
            if (!notEntered(stored.v1, stored.v2)) {
                lock.release();
                writeYellow(console, "Prepsat starsi vysledek? a/n ");
                if (!answeredYes(console)) return StoreOutcome::Done;
                continue;  // the file may have changed while the question waited
            }
        }
        // The bytes as read, not as this desk would write them: the record must know the file as
        // another desk's stale cache may still show it (as los wrote it, before any store).
        const std::string& before = round->bytes;
        entry.v1 = wanted.v1;
        entry.v2 = wanted.v2;
        const ReplaceResult result = replaceRound(lock, fileName, before, current, own, write);
        // A file replaced is a result stored, even when its flush failed: it is not offered again.
        if (result.outcome != platform::ReplaceOutcome::Failed) rememberStore(own, entry, typed.position, stored);
        if (result.outcome == platform::ReplaceOutcome::ReplacedNotDurable) warnNotDurable(console, fileName);
        if (result.outcome != platform::ReplaceOutcome::Failed) return StoreOutcome::Done;
        lock.release();
        askToTryAgain(console, fileName, result);
    }
}

void finishStores(Console& console, const std::string& fileName, OwnResults& own, RoundFileWriter write) {
    if (own.results.empty()) return;
    for (int check = 0; check < kMostEndChecks; ++check) {
        if (check > 0) platform::sleepMilliseconds(kSettleMs);
        auto lock = lockFolderAsking(console, fileName);
        const auto round = currentRound(console, lock, fileName, own, write);
        if (!round || !own.otherWriter || (check > 0 && !round->putBack)) return;
    }
}
