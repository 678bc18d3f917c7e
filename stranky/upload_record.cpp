// The upload record: "adresa <url>", "nahrazeni <how>" and one "<fingerprint> <name>" line per
// file the host has, CR LF, through the safe writer.
#include "upload_record.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>

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
    const bool same = reader.readToken() == "adresa" && (reader.readSeparator(), reader.readText(kMaxLine) == address);
    if (!same) return record;
    reader.skipLine();
    while (!reader.atEnd()) {
        const std::string first(reader.readToken());
        reader.readSeparator();
        const std::string second = reader.readText(kMaxLine);
        reader.skipLine();
        if (first == "nahrazeni") record.replace = replaceNamed(second);
        else record.fingerprints[second] = first;
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
