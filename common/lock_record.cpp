// The lock file's record: a small text of CR LF lines, a header, then per round file its name,
// size and generations and its latest bytes, and a last line with a hash of all before it, so
// that a record torn by a power cut reads as none.
#include "lock_record.hpp"

#include <algorithm>
#include <charconv>
#include <optional>

namespace {

constexpr std::string_view kHeader = "turnaj zamek 1\r\n";
constexpr std::string_view kEnd = "konec ";
// Rounds worked on at once, and the generations of one round (more than any round has stores).
constexpr std::size_t kMaxFiles = 4;
constexpr std::size_t kMaxGenerations = 2000;
constexpr std::size_t kMaxFileBytes = 1 << 20;

std::string hex(std::uint64_t value) {
    char digits[16];
    for (int i = 15; i >= 0; --i, value >>= 4) digits[i] = "0123456789abcdef"[value & 15];
    return std::string(digits, 16);
}

// Reads a record front to back; any surprise makes the whole record unreadable.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}
    bool atEnd() const { return text_.empty(); }
    std::optional<std::string_view> line() {
        const auto end = text_.find("\r\n");
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = text_.substr(0, end);
        text_.remove_prefix(end + 2);
        return line;
    }
    std::optional<std::string_view> bytes(std::size_t count) {
        if (text_.size() < count + 2 || text_.substr(count, 2) != "\r\n") return std::nullopt;
        const std::string_view bytes = text_.substr(0, count);
        text_.remove_prefix(count + 2);
        return bytes;
    }

private:
    std::string_view text_;
};

template <typename Number>
std::optional<Number> numberIn(std::string_view text, int base = 10) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> found;
    for (std::size_t blank; !line.empty(); line.remove_prefix(blank == std::string_view::npos ? line.size() : blank + 1)) {
        blank = line.find(' ');
        found.push_back(line.substr(0, blank));
    }
    return found;
}

std::optional<RoundFileRecord> readFileRecord(Cursor& cursor) {
    const auto head = cursor.line();
    if (!head) return std::nullopt;
    const auto fields = words(*head);
    if (fields.size() != 3 || fields[0].empty()) return std::nullopt;
    const auto size = numberIn<std::size_t>(fields[1]);
    const auto count = numberIn<std::size_t>(fields[2]);
    const auto hashes = cursor.line();
    if (!size || !count || *size > kMaxFileBytes || *count == 0 || *count > kMaxGenerations || !hashes) return std::nullopt;
    RoundFileRecord file{std::string(fields[0]), {}, {}};
    for (std::string_view word : words(*hashes)) {
        const auto hash = numberIn<std::uint64_t>(word, 16);
        if (!hash) return std::nullopt;
        file.generations.push_back(*hash);
    }
    const auto latest = cursor.bytes(*size);
    if (file.generations.size() != *count || !latest || contentHash(*latest) != file.generations.back()) return std::nullopt;
    file.latest = std::string(*latest);
    return file;
}

template <typename Record>
auto* find(Record& record, const std::string& name) {
    auto found = std::find_if(record.files.begin(), record.files.end(), [&](const auto& file) { return file.name == name; });
    return found == record.files.end() ? nullptr : &*found;
}

// The file's record moved to the end (replaced last), made when missing.
RoundFileRecord& lastReplaced(LockRecord& record, const std::string& name) {
    RoundFileRecord file{name, {}, {}};
    if (RoundFileRecord* known = find(record, name)) {
        file = std::move(*known);
        record.files.erase(record.files.begin() + (known - record.files.data()));
    } else if (record.files.size() == kMaxFiles) {
        record.files.erase(record.files.begin());
    }
    record.files.push_back(std::move(file));
    return record.files.back();
}

}  // namespace

std::uint64_t contentHash(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

bool wholeLockRecord(std::string_view bytes) {
    const auto end = bytes.rfind(kEnd);
    return bytes.substr(0, kHeader.size()) == kHeader && end != std::string_view::npos &&
           bytes.substr(end) == std::string(kEnd) + hex(contentHash(bytes.substr(0, end))) + "\r\n";
}

LockRecord readLockRecord(std::string_view bytes) {
    if (!wholeLockRecord(bytes)) return {};
    Cursor cursor(bytes.substr(kHeader.size(), bytes.rfind(kEnd) - kHeader.size()));
    LockRecord record;
    while (!cursor.atEnd()) {
        auto file = readFileRecord(cursor);
        if (!file || record.files.size() == kMaxFiles) return {};
        record.files.push_back(std::move(*file));
    }
    return record;
}

std::string lockRecordBytes(const LockRecord& record) {
    std::string text(kHeader);
    for (const RoundFileRecord& file : record.files) {
        text += file.name + " " + std::to_string(file.latest.size()) + " " + std::to_string(file.generations.size()) + "\r\n";
        for (std::size_t i = 0; i < file.generations.size(); ++i) text += (i ? " " : "") + hex(file.generations[i]);
        text += "\r\n" + file.latest + "\r\n";
    }
    return text + std::string(kEnd) + hex(contentHash(text)) + "\r\n";
}

RoundFileView viewOf(const LockRecord& record, const std::string& name, std::string_view bytes) {
    const RoundFileRecord* file = find(record, name);
    if (file == nullptr) return RoundFileView::NotRecorded;
    if (bytes == file->latest) return RoundFileView::Latest;
    const std::uint64_t hash = contentHash(bytes);
    const bool earlier = std::find(file->generations.begin(), file->generations.end() - 1, hash) != file->generations.end() - 1;
    return earlier ? RoundFileView::Stale : RoundFileView::ChangedOutside;
}

std::string latestOf(const LockRecord& record, const std::string& name) {
    const RoundFileRecord* file = find(record, name);
    return file ? file->latest : std::string();
}

bool isRecorded(const LockRecord& record, const std::string& name) { return find(record, name) != nullptr; }

void recordStore(LockRecord& record, const std::string& name, const std::string& before, const std::string& after) {
    RoundFileRecord& file = lastReplaced(record, name);
    for (const std::uint64_t hash : {contentHash(before), contentHash(after)}) {
        if (!file.generations.empty() && file.generations.back() == hash) continue;
        if (file.generations.size() == kMaxGenerations) file.generations.erase(file.generations.begin());
        file.generations.push_back(hash);
    }
    file.latest = after;
}

void recordPairing(LockRecord& record, const std::string& name, const std::string& bytes) {
    RoundFileRecord& file = lastReplaced(record, name);
    file.generations = {contentHash(bytes)};
    file.latest = bytes;
}
