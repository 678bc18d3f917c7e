// What the folder's lock file records about the round files replaced under the lock: for each,
// the latest bytes and the hashes of every generation since the round was paired. A network
// client revalidates the locked file when the lock is taken, but not its cached copy of a round
// file: the record tells a stale copy from the current file and from one changed by hand.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct RoundFileRecord {
    std::string name;                      // partie4.txt, without its folder
    std::vector<std::uint64_t> generations;  // contentHash of each, oldest first, the latest last
    std::string latest;                    // the bytes of the latest
};

struct LockRecord {
    std::vector<RoundFileRecord> files;  // the one replaced last, last
};

std::uint64_t contentHash(std::string_view bytes);

// The record in the lock file's bytes; an empty record for an empty, torn or foreign file.
LockRecord readLockRecord(std::string_view bytes);
// True when the bytes are a whole record, from its header to its last line's hash.
bool wholeLockRecord(std::string_view bytes);
std::string lockRecordBytes(const LockRecord& record);

// What bytes read under a round file's name are: the latest recorded; an earlier generation of
// the round's pairing (a stale copy); bytes the suite did not write (changed by hand, a copy put
// back from zaloha); or the name has no record.
enum class RoundFileView { Latest, Stale, ChangedOutside, NotRecorded };
RoundFileView viewOf(const LockRecord& record, const std::string& name, std::string_view bytes);
// The latest bytes recorded for the name (empty when it has no record).
std::string latestOf(const LockRecord& record, const std::string& name);
bool isRecorded(const LockRecord& record, const std::string& name);

// A result stored: a new generation of the same pairing, after the one it was made from (which
// the record may not know yet: a round file changed by hand, or paired before there was a record).
void recordStore(LockRecord& record, const std::string& name, const std::string& before, const std::string& after);
// A round paired (again): the earlier generations are forgotten, so that a copy put back from
// zaloha reads as changed by hand, not as a stale copy.
void recordPairing(LockRecord& record, const std::string& name, const std::string& bytes);
