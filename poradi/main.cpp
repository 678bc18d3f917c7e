// poradi: the standings after round N. Rebuilds partie.dat, has the ratings recomputed,
// computes and sorts the standings and writes poradi<N>.txt, partie<N>.htm and poradi<N>.htm.
#include <cstdint>

#include "console.hpp"
#include "players_file.hpp"
#include "rating_arithmetic.hpp"
#include "recompute.hpp"
#include "round_files.hpp"
#include "run_error.hpp"
#include "standings.hpp"
#include "standings_outputs.hpp"
#include "text_reader.hpp"

namespace {

constexpr const char* kUsage =
    "Pouziti: poradi [cislo kola]\n"
    "  Spocita poradi po kole s danym cislem; bez cisla se na nej zepta.\n"
    "  --help, -h  tato napoveda\n";

std::int32_t askRound(Console& console, const CommandLine& commandLine) {
    if (auto round = commandLine.round) return *round;
    return askNumber(console, "Zadejte cislo kola, u ktereho pocitate poradi :", true);
}

}  // namespace

int main(int argc, char** argv) {
    requireRatingArithmetic();
    const CommandLine commandLine = readCommandLine(argc, argv, kUsage);
    Console& console = processConsole();
    writeBanner(console, "Poradi - verze 19.11.2012", 25);
    writeLine(console);
    const Coefficients koef = readCoefficients(TextReader::openOrFail(kCoefficientsFileName));
    const std::int32_t K = askRound(console, commandLine);

    const RoundFiles rounds = readRoundFiles(K);
    rebuildGameList(rounds, console);
    PRIPRAV(-1, console);

    Standings table = totalsPass(rounds);
    readNames(table, TextReader::openOrFail(kPlayersFileName));
    readRatings(table, TextReader::openOrFail(kRatingListName));
    buchholzAndOpponentPass(table, rounds, K);
    adjustMissedRounds(table, K, console);
    computeDerivedValues(table, koef, K);
    sortStandings(table);

    writeStandingsTextFile(table, K);
    writeGamesPageFile(table, K);
    writeStandingsPageFile(table, K);
    stopProgram(0);
}
