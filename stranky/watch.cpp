// Building the site and watching the tournament's files for changes. Each build is a run of
// this program of its own: whatever stops a build (a file half written by an editor) stops
// that run alone, and the watcher waits for the next change.
#include "watch.hpp"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "game_files.hpp"
#include "platform.hpp"
#include "players_file.hpp"
#include "publish.hpp"
#include "rating_files.hpp"
#include "site.hpp"
#include "standings.hpp"
#include "tournament_facts.hpp"

namespace {

constexpr std::uint32_t kPollMilliseconds = 1000;
// After a fault the upload is tried again after 5 s, then after twice as long each time, up to
// a minute; after a refusal (a wrong password) only once its settings change, or ten minutes on.
constexpr std::uint64_t kFirstRetryMs = 5000;
constexpr std::uint64_t kLongestRetryMs = 60000;
constexpr std::uint64_t kRefusedRetryMs = 600000;

using Stamps = std::vector<std::optional<platform::FileStamp>>;

Stamps stampsOf(const std::vector<std::string>& files) {
    Stamps stamps;
    for (const auto& file : files) stamps.push_back(platform::fileStamp(file));
    return stamps;
}

// The files the site is made of: kanvo.dat, osoby.dat, koef.txt, turnaj.txt and the round files
// as far as they follow one another, with the next one, whose coming is a change too.
Stamps tournamentStamps() {
    Stamps stamps = stampsOf({kRatingListName, kPlayersFileName, kCoefficientsFileName, kFactsFileName});
    for (std::int32_t round = 1;; ++round) {
        stamps.push_back(platform::fileStamp(roundFileName(round)));
        if (!stamps.back()) return stamps;
    }
}

// Builds the site in a run of its own; false when that run stopped (it said why).
bool buildInOwnRun(Console& console) {
    console.out->flush();
    if (platform::runThisProgramAgain({kBuildStepOption}) == 0) return true;
    writeYellow(console, "Stranky zustavaji, jak byly; cekam na dalsi zmenu souboru turnaje");
    writeLine(console);
    return false;
}

struct UploadSchedule {
    bool refused = false;
    std::uint64_t retryAt = 0;  // 0: no retry owed
    std::uint64_t pause = kFirstRetryMs;
    std::string lastReason;  // said once, until the upload succeeds or fails otherwise
    std::vector<std::string> settingsFiles;
    Stamps settingsStamps;
};

bool uploadDue(const UploadSchedule& schedule, bool built) {
    const std::uint64_t now = platform::millisecondsSinceStart();
    if (schedule.refused) return now >= schedule.retryAt || stampsOf(schedule.settingsFiles) != schedule.settingsStamps;
    return built || (schedule.retryAt != 0 && now >= schedule.retryAt);
}

void publishAndPlan(Console& console, UploadSchedule& schedule) {
    const PublishResult result = publishSite();
    const UploadResult& upload = result.upload;
    if (upload.fault == UploadFault::None) {
        if (upload.sent > 0 || !schedule.lastReason.empty()) writeLine(console, publishedLine(upload.sent));
        schedule = UploadSchedule{};
        return;
    }
    if (upload.reason != schedule.lastReason) {
        writeYellow(console, notPublishedLine(upload.reason) + ", zkusim to znovu");
        writeLine(console);
    }
    schedule.lastReason = upload.reason;
    schedule.refused = upload.fault == UploadFault::Refused;
    schedule.settingsFiles = result.settingsFiles;
    schedule.settingsStamps = stampsOf(result.settingsFiles);
    schedule.retryAt = platform::millisecondsSinceStart() + (schedule.refused ? kRefusedRetryMs : schedule.pause);
    if (!schedule.refused) schedule.pause = std::min(2 * schedule.pause, kLongestRetryMs);
}

}  // namespace

void buildSite(Console& console, const Tournament& tournament) {
    for (const auto& warning : tournament.warnings) writeLine(console, warning);
    std::size_t complete = 0;
    for (const auto& round : tournament.rounds) complete += round.complete ? 1 : 0;
    writeLine(console, "Nacteno " + std::to_string(tournament.players.size()) + " hracu a " +
                           std::to_string(tournament.rounds.size()) + " kol, z toho uplnych " + std::to_string(complete));
    const auto files = siteFiles(tournament);
    const std::size_t written = writeSite(files);
    writeLine(console, "Stranky jsou ve slozce web: " + std::to_string(files.size()) + " souboru, zapsano " +
                           std::to_string(written));
    console.out->flush();
}

void watchTournament(Console& console, bool publish) {
    // Stamped before the build reads the files: a change made during a build brings another.
    Stamps stamps = tournamentStamps();
    bool built = buildInOwnRun(console);
    writeLine(console, "Sleduji soubory turnaje a po kazde zmene zapisu stranky znovu (konec: Ctrl+C)");
    UploadSchedule schedule;
    schedule.retryAt = platform::millisecondsSinceStart();  // what an earlier run still owes goes up at once
    for (;;) {
        if (publish && uploadDue(schedule, built)) publishAndPlan(console, schedule);
        console.out->flush();
        platform::sleepMilliseconds(kPollMilliseconds);
        Stamps now = tournamentStamps();
        built = false;
        if (now == stamps) continue;
        stamps = std::move(now);
        writeLine(console);
        writeLine(console, "Soubory turnaje se zmenily");
        built = buildInOwnRun(console);
    }
}
