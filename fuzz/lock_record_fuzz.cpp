// Fuzz target of the lock file's record (zamek.lck, which a power cut may tear and anyone may
// edit): any bytes read as a record or as none, and a record read writes back as itself.
#include <string>

#include "fuzz_support.hpp"
#include "lock_record.hpp"

namespace {

bool same(const LockRecord& a, const LockRecord& b) {
    if (a.files.size() != b.files.size()) return false;
    for (std::size_t i = 0; i < a.files.size(); ++i)
        if (a.files[i].name != b.files[i].name || a.files[i].generations != b.files[i].generations ||
            a.files[i].latest != b.files[i].latest)
            return false;
    return true;
}

}  // namespace

// Input: the lock file's bytes, a form feed, the bytes of a round file stored under it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto parts = splitFiles(data, size, 2);
    parts.resize(2);
    LockRecord record = readLockRecord(parts[0]);
    check(same(readLockRecord(lockRecordBytes(record)), record), "a record read does not write back as itself");
    const std::string name = record.files.empty() ? "partie1.txt" : record.files.back().name;
    viewOf(record, name, parts[1]);
    recordStore(record, name, parts[1], parts[1] + "x");
    check(viewOf(record, name, parts[1] + "x") == RoundFileView::Latest, "the bytes just stored are not the latest");
    check(same(readLockRecord(lockRecordBytes(record)), record), "a record stored into does not write back");
    return 0;
}
