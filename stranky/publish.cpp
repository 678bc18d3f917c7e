// One upload of the site: the files of web/ against the upload record, the HTTP host's way of
// replacing a file learnt once, the batch sent, and the record brought up to date.
#include "publish.hpp"

#include <cstdio>

#include "page_frame.hpp"
#include "platform.hpp"
#include "temporary_names.hpp"

namespace {

// The site as web/ holds it: every file but the upload record and the writer's temporaries.
std::vector<SiteFileState> siteOnDisk() {
    std::vector<SiteFileState> site;
    for (const std::string& name : platform::filesInFolder(kSiteFolder)) {
        if (name == kUploadRecordName || temporaryOf(name)) continue;
        const platform::FileRead file = platform::readFile(std::string(kSiteFolder) + "/" + name);
        if (file.status == platform::ReadStatus::Read) site.push_back({name, fingerprintOf(file.bytes)});
    }
    return site;
}

// The files that went up get their fingerprints; the others lose theirs, since the host may
// hold a piece of one of them under its temporary name: they all go up again.
void recordSent(UploadRecord& record, const std::vector<SiteFileState>& owed, std::size_t sent) {
    for (std::size_t i = 0; i < owed.size(); ++i) {
        if (i < sent) record.fingerprints[owed[i].name] = owed[i].fingerprint;
        else record.fingerprints.erase(owed[i].name);
    }
}

// Sends the files; a host that refuses to rename over a file gets them again at once, each
// with the old one removed first.
UploadResult sendOwed(const UploadSettings& settings, UploadRecord& record, std::vector<SiteFileState> owed) {
    std::size_t total = 0;
    for (;;) {
        std::vector<std::string> names;
        for (const auto& file : owed) names.push_back(file.name);
        UploadResult result = sendFiles(settings, record.replace, names);
        recordSent(record, owed, result.sent);
        total += result.sent;
        if (result.fault != UploadFault::RenameRefused) {
            if (result.fault == UploadFault::None && record.replace == HostReplace::NotKnown)
                record.replace = HostReplace::Rename;
            result.sent = total;
            return result;
        }
        record.replace = HostReplace::RemoveThenRename;
        owed.erase(owed.begin(), owed.begin() + static_cast<std::ptrdiff_t>(result.sent));
    }
}

}  // namespace

PublishResult publishSite() {
    const SettingsRead read = readUploadSettings();
    PublishResult result{{}, read.files};
    if (!read.fault.empty()) {
        result.upload = {0, UploadFault::Refused, read.fault};
        return result;
    }
    const UploadSettings& settings = read.settings;
    UploadRecord record = readUploadRecord(settings.address);
    const std::vector<SiteFileState> owed = owedFiles(record, siteOnDisk());
    if (owed.empty()) return result;
    if (isHttp(settings) && record.replace == HostReplace::NotKnown) {
        result.upload = probeHttpReplace(settings, record.replace);
        if (result.upload.fault != UploadFault::None) return result;
    }
    result.upload = sendOwed(settings, record, owed);
    writeUploadRecord(record);
    return result;
}

std::string publishedLine(std::size_t files) {
    const platform::LocalTime now = platform::localTimeNow();
    char time[16];
    std::snprintf(time, sizeof time, "%d:%02d", now.hour, now.minute);
    return "Nahrano " + std::to_string(files) + " souboru, " + time;
}

std::string notPublishedLine(const std::string& reason) { return "Stranky se nepodarilo nahrat: " + reason; }
