// Making and writing the site's files; nothing is written outside web/.
#include "site.hpp"

#include "json_writer.hpp"
#include "leftovers.hpp"
#include "overview_pages.hpp"
#include "page_frame.hpp"
#include "platform.hpp"
#include "player_pages.hpp"
#include "projector_page.hpp"
#include "round_pages.hpp"
#include "run_error.hpp"
#include "site_icon.hpp"
#include "standings_csv.hpp"
#include "stylesheet.hpp"
#include "text_writer.hpp"

std::vector<SiteFile> siteFiles(const Tournament& tournament) {
    const SiteRound* current = currentRound(tournament);
    std::vector<SiteFile> files{{kIndexPage, overviewPage(tournament)},
                                {kCurrentRoundPage, current ? pairingsByNamePage(tournament, *current) : noRoundPage(tournament)},
                                {kProjectorPage, projectorPage(tournament)},
                                {kStylesheetName, std::string(stylesheet())},
                                {kIconName, siteIcon()},
                                {kDataName, tournamentJson(tournament)},
                                {kCrossTablePage, crossTablePage(tournament)},
                                {kRecordsPage, recordsPage(tournament)}};
    for (const auto& round : tournament.rounds) {
        files.push_back({roundPageName(round.round, RoundPage::ByTable), pairingsByTablePage(tournament, round)});
        files.push_back({roundPageName(round.round, RoundPage::ByName), pairingsByNamePage(tournament, round)});
        files.push_back({roundPageName(round.round, RoundPage::Results), resultsPage(tournament, round)});
        if (!round.complete) continue;
        files.push_back({roundPageName(round.round, RoundPage::Standings), standingsPage(tournament, round)});
        files.push_back({standingsCsvName(round.round), standingsCsv(tournament, round)});
    }
    for (const auto& player : tournament.players) files.push_back({playerPageName(player.number), playerPage(tournament, player)});
    return files;
}

std::size_t writeSite(const std::vector<SiteFile>& files) {
    makeFolderOrStop(kSiteFolder);
    removeLeftovers(kSiteFolder, isSitePage);
    std::size_t written = 0;
    for (const auto& file : files) {
        const std::string path = std::string(kSiteFolder) + "/" + file.name;
        const platform::FileRead old = platform::readFile(path);
        if (old.status == platform::ReadStatus::Read && withoutUpdatedTime(old.bytes) == withoutUpdatedTime(file.bytes))
            continue;
        const ReplaceResult result = replaceFileSafely(path, file.bytes, FileLife::Rebuildable);
        if (result.outcome == platform::ReplaceOutcome::Failed) stopWithMessage(failedReplaceMessage(path, result));
        ++written;
    }
    return written;
}
