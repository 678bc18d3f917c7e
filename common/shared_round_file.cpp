// The round file read and recorded under the folder's lock, against the lock file's record.
#include "shared_round_file.hpp"

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

}  // namespace

std::optional<std::string> currentRoundFile(const FolderLock& lock, const std::string& fileName,
                                            const std::string& writtenHere) {
    const LockRecord record = recordOf(lock);
    const std::string name = nameOf(fileName);
    const std::uint64_t start = platform::millisecondsSinceStart();
    for (;;) {
        auto bytes = readFileBytes(fileName);
        if (!bytes) return bytes;
        const RoundFileView view = viewOf(record, name, *bytes);
        if (view == RoundFileView::Stale || (view == RoundFileView::ChangedOutside && *bytes == writtenHere))
            return latestOf(record, name);
        if (view != RoundFileView::ChangedOutside || platform::millisecondsSinceStart() - start >= kCatchUpMs)
            return bytes;
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
