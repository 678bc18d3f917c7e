// stranky: the tournament's web site. Reads the tournament folder (writing nothing there),
// computes the standings as poradi does, and writes the pages and turnaj.json into web/;
// with --sledovat it stays and writes them again after every change of the tournament's files.
#include "console.hpp"
#include "rating_arithmetic.hpp"
#include "run_error.hpp"
#include "tournament.hpp"
#include "watch.hpp"

namespace {

constexpr const char* kWatchOption = "--sledovat";
constexpr const char* kUsage =
    "Pouziti: stranky [--sledovat]\n"
    "  Zapise stranky turnaje do slozky web (index.html, kola, hraci, tabulka, rekordy\n"
    "  a data turnaj.json). Mimo slozku web nic nezapisuje ani nemeni.\n"
    "  --sledovat  zustane spusten a po kazde zmene souboru turnaje zapise stranky znovu\n"
    "              (ukonceni Ctrl+C)\n"
    "  --help, -h  tato napoveda\n";

}  // namespace

int main(int argc, char** argv) {
    requireRatingArithmetic();
    const CommandLine commandLine = readCommandLine(argc, argv, kUsage, {kWatchOption});
    Console& console = processConsole();
    writeBanner(console, "Stranky turnaje", 25);
    writeLine(console);

    Tournament tournament = readTournament();
    buildSite(console, tournament);
    if (commandLine.has(kWatchOption)) watchTournament(console, std::move(tournament));
    stopProgram(0);
}
