// The upload record: "adresa <url>", "nahrazeni <how>" and one "<fingerprint> <name>" line per
// file the host has, CR LF, through the safe writer.
#include "upload_record.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "page_frame.hpp"
#include "platform.hpp"
#include "text_reader.hpp"
#include "text_writer.hpp"

namespace {

constexpr std::size_t kMaxLine = 4096;
constexpr const char* kReplaceWords[] = {"", "prejmenovanim", "smazanim", "primo"};

std::string recordPath() { return std::string(kSiteFolder) + "/" + kUploadRecordName; }

HostReplace replaceNamed(std::string_view word) {
    for (int way = 1; way < 4; ++way)
        if (word == kReplaceWords[way]) return static_cast<HostReplace>(way);
    return HostReplace::NotKnown;
}

// Where a file stands in the upload: the stylesheet first, turnaj.json last.
int uploadRank(const UploadRecord& record, const std::string& name) {
    if (name == kStylesheetName) return 0;
    if (name == kDataName) return 4;
    if (name == kIndexPage) return 3;
    return record.fingerprints.count(name) ? 2 : 1;
}

}  // namespace

std::string fingerprintOf(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    char text[48];
    std::snprintf(text, sizeof text, "%zu:%016llx", bytes.size(), static_cast<unsigned long long>(hash));
    return text;
}

UploadRecord readUploadRecord(const std::string& address) {
    UploadRecord record;
    record.address = address;
    const platform::FileRead file = platform::readFile(recordPath());
    if (file.status != platform::ReadStatus::Read) return record;
    TextReader reader(kUploadRecordName, file.bytes);
    std::vector<std::pair<std::string, std::string>> lines;  // every line: a word, a blank, the rest
    while (!reader.atEnd()) {
        std::string word(reader.readToken());
        reader.readSeparator();
        lines.emplace_back(std::move(word), reader.readText(kMaxLine));
        reader.skipLine();
    }
    if (lines.empty() || lines[0] != std::pair<std::string, std::string>("adresa", address)) return record;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto& [word, rest] = lines[i];
        if (word == "nahrazeni") record.replace = replaceNamed(rest);
        else record.fingerprints[rest] = word;
    }
    return record;
}

void writeUploadRecord(const UploadRecord& record) {
    TextWriter writer(recordPath(), FileLife::Rebuildable);
    writer.writeLine("adresa " + record.address);
    if (record.replace != HostReplace::NotKnown)
        writer.writeLine(std::string("nahrazeni ") + kReplaceWords[static_cast<int>(record.replace)]);
    for (const auto& [name, fingerprint] : record.fingerprints) writer.writeLine(fingerprint + " " + name);
    writer.commit();
}

std::vector<SiteFileState> owedFiles(const UploadRecord& record, const std::vector<SiteFileState>& site) {
    std::vector<SiteFileState> owed;
    for (const auto& file : site) {
        const auto had = record.fingerprints.find(file.name);
        if (had == record.fingerprints.end() || had->second != file.fingerprint) owed.push_back(file);
    }
    std::stable_sort(owed.begin(), owed.end(), [&](const SiteFileState& a, const SiteFileState& b) {
        return uploadRank(record, a.name) < uploadRank(record, b.name);
    });
    return owed;
}
