// The round file read and recorded under the folder's lock, against the lock file's record.
#include "shared_round_file.hpp"

#include <utility>

#include "lock_record.hpp"
#include "text_reader.hpp"

namespace {

// Long enough for a network client's cache of a replaced file to expire (SMB: 1 s).
constexpr std::uint64_t kCatchUpMs = 2000;
constexpr std::uint32_t kRereadPauseMs = 100;

std::string nameOf(const std::string& fileName) {
    const auto slash = fileName.find_last_of("/\\");
    return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

LockRecord recordOf(const FolderLock& lock) { return readLockRecord(lock.lockFileBytes().value_or(std::string())); }

// What one read of the lock file and the round file settles: the bytes to work on, or nothing yet.
struct Reading {
    bool settled = true;
    std::optional<std::string> bytes;
};

// movedOn: another computer wrote the record while this one held the lock (a lock that works on
// one computer only); what it recorded last is then the current round, whatever this computer's
// cache of the round file shows.
Reading settle(const LockRecord& record, std::optional<std::string> bytes, const std::string& name,
               const std::string& writtenHere, bool movedOn, bool waited) {
    const bool recorded = isRecorded(record, name);
    // A recorded file missing: another computer's replace may remove it before its rename.
    if (!bytes) return recorded && movedOn ? Reading{true, latestOf(record, name)} : Reading{waited || !recorded, {}};
    const RoundFileView view = viewOf(record, name, *bytes);
    if (view == RoundFileView::Stale || (view == RoundFileView::ChangedOutside && (movedOn || *bytes == writtenHere)))
        return {true, latestOf(record, name)};
    return {view != RoundFileView::ChangedOutside || waited, std::move(bytes)};
}

bool torn(const std::optional<std::string>& lockFile) {
    return lockFile && !lockFile->empty() && !wholeLockRecord(*lockFile);
}

}  // namespace

std::optional<std::string> currentRoundFile(const FolderLock& lock, const std::string& fileName,
                                            const std::string& writtenHere) {
    const std::string name = nameOf(fileName);
    const std::uint64_t start = platform::millisecondsSinceStart();
    const std::optional<std::string> first = lock.lockFileBytes();
    std::optional<std::string> lockFile = first, before;
    for (;;) {
        const bool waited = platform::millisecondsSinceStart() - start >= kCatchUpMs;
        // A record torn and changing is being written by another computer; one torn and still
        // was torn for good (by two such writers, a power cut) and reads as none.
        if (!torn(lockFile) || lockFile == before || waited) {
            const bool movedOn = lockFile != first && !torn(lockFile);
            Reading reading = settle(readLockRecord(lockFile.value_or(std::string())), readFileBytes(fileName), name,
                                     writtenHere, movedOn, waited);
            if (reading.settled) return std::move(reading.bytes);
        }
        platform::sleepMilliseconds(kRereadPauseMs);
        // The record too: where the lock works on one computer only, another computer records its
        // stores meanwhile.
        before = std::exchange(lockFile, lock.rereadLockFile());
    }
}

std::optional<std::string> roundFileSeen(const std::string& fileName) {
    const std::uint64_t start = platform::millisecondsSinceStart();
    for (;;) {
        auto bytes = readFileBytes(fileName);
        if (bytes || platform::millisecondsSinceStart() - start >= kCatchUpMs) return bytes;
        platform::sleepMilliseconds(kRereadPauseMs);
    }
}

void noteStored(const FolderLock& lock, const std::string& fileName, const std::string& before, const std::string& after) {
    if (!lock.held()) return;
    LockRecord record = recordOf(lock);
    recordStore(record, nameOf(fileName), before, after);
    lock.writeLockFile(lockRecordBytes(record));
}

void notePaired(const FolderLock& lock, const std::string& fileName, const std::string& bytes) {
    if (!lock.held()) return;
    LockRecord record = recordOf(lock);
    recordPairing(record, nameOf(fileName), bytes);
    lock.writeLockFile(lockRecordBytes(record));
}
