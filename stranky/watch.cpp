// Building the site and watching the tournament's files for changes.
#include "watch.hpp"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform.hpp"
#include "site.hpp"

namespace {

constexpr std::uint32_t kPollMilliseconds = 1000;

using Stamps = std::vector<std::optional<platform::FileStamp>>;

Stamps stampsOf(const std::vector<std::string>& files) {
    Stamps stamps;
    for (const auto& file : files) stamps.push_back(platform::fileStamp(file));
    return stamps;
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

void watchTournament(Console& console, Tournament tournament) {
    writeLine(console, "Sleduji soubory turnaje a po kazde zmene zapisu stranky znovu (konec: Ctrl+C)");
    console.out->flush();
    std::vector<std::string> inputs = tournamentInputs(tournament);
    Stamps stamps = stampsOf(inputs);
    for (;;) {
        platform::sleepMilliseconds(kPollMilliseconds);
        Stamps now = stampsOf(inputs);
        if (now == stamps) continue;
        writeLine(console);
        writeLine(console, "Soubory turnaje se zmenily");
        // Stamped before reading: a change made while the site is built is seen next time.
        tournament = readTournament();
        buildSite(console, tournament);
        const auto newInputs = tournamentInputs(tournament);
        stamps = newInputs == inputs ? now : stampsOf(newInputs);
        inputs = newInputs;
    }
}
