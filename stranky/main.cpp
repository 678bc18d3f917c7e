// stranky: the tournament's web site. Reads the tournament folder (writing nothing there),
// computes the standings as poradi does, and writes the pages and turnaj.json into web/;
// with --sledovat it stays and writes them again after every change of the tournament's files,
// and with --nahrat it publishes them to the host that nahrat.txt names.
#include "console.hpp"
#include "publish.hpp"
#include "rating_arithmetic.hpp"
#include "run_error.hpp"
#include "tournament.hpp"
#include "watch.hpp"

namespace {

constexpr const char* kWatchOption = "--sledovat";
constexpr const char* kPublishOption = "--nahrat";
constexpr const char* kUsage =
    "Pouziti: stranky [--sledovat] [--nahrat]\n"
    "  Zapise stranky turnaje do slozky web (index.html, kola, hraci, tabulka, rekordy\n"
    "  a data turnaj.json). Mimo slozku web nic nezapisuje ani nemeni.\n"
    "  --sledovat  zustane spusten a po kazde zmene souboru turnaje zapise stranky znovu\n"
    "              (ukonceni Ctrl+C)\n"
    "  --nahrat    nahraje zmenene stranky na web turnaje podle souboru nahrat.txt\n"
    "              (s --sledovat po kazdem zapsani)\n"
    "  --help, -h  tato napoveda\n";

// The one-off upload: the line that says how it went, and exit code 1 when it failed.
int publishOnce(Console& console) {
    const UploadResult upload = publishSite().upload;
    if (upload.fault == UploadFault::None) {
        writeLine(console, publishedLine(upload.sent));
        return 0;
    }
    writeYellow(console, notPublishedLine(upload.reason));
    writeLine(console);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    requireRatingArithmetic();
    const CommandLine commandLine =
        readCommandLine(argc, argv, kUsage, {kWatchOption, kPublishOption, kBuildStepOption});
    Console& console = processConsole();
    if (commandLine.has(kBuildStepOption)) {
        buildSite(console, readTournament());
        stopProgram(0);
    }
    writeBanner(console, "Stranky turnaje", 25);
    writeLine(console);
    if (commandLine.has(kWatchOption)) {
        checkTournamentFolder();  // a folder that is no tournament's is not waited for
        watchTournament(console, commandLine.has(kPublishOption));
    }
    buildSite(console, readTournament());
    stopProgram(commandLine.has(kPublishOption) ? publishOnce(console) : 0);
}
