// poradi: the standings after round N. Rebuilds partie.dat, has the ratings recomputed,
// computes and sorts the standings and writes poradi<N>.txt, partie<N>.htm and poradi<N>.htm.
#include <cstdint>
#include <vector>

#include "console.hpp"
#include "game_files.hpp"
#include "leftovers.hpp"
#include "players_file.hpp"
#include "rating_arithmetic.hpp"
#include "rating_files.hpp"
#include "recompute.hpp"
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

// partie.dat anew from the round files, which are named first when they still hold 0 0 results.
void rebuildGameList(const RoundFiles& rounds, Console& console) {
    for (std::size_t r = 0; r < rounds.size(); ++r)
        if (const std::int32_t zeros = zeroResults(rounds[r]))
            writeLine(console, zeroResultsLine(static_cast<std::int32_t>(r + 1), zeros));
    // Rebuilt on every run; its folder is flushed with kanvo.new, written right after it.
    writeGameList(gameList(rounds), FileLife::KeptFlushedWithNext);
}

}  // namespace

int main(int argc, char** argv) {
    requireRatingArithmetic();
    const CommandLine commandLine = readCommandLine(argc, argv, kUsage);
    Console& console = processConsole();
    writeBanner(console, "Poradi - verze 19.11.2012", 25);
    writeLine(console);
    removeLeftovers(".", isTournamentFile);
    const Coefficients koef = readCoefficients(TextReader::openOrFail(kCoefficientsFileName));
    const std::int32_t K = askRound(console, commandLine);

    const RoundFiles rounds = readRoundFiles(K);
    rebuildGameList(rounds, console);
    writeNewRatingList(recomputeFromFiles(false, console));

    Standings table = totalsPass(rounds);
    readNames(table, TextReader::openOrFail(kPlayersFileName));
    readRatings(table, TextReader::openOrFail(kNewRatingListName));
    buchholzAndOpponentPass(table, rounds, K);
    adjustMissedRounds(table, K, console);
    computeDerivedValues(table, koef, K);
    sortStandings(table);

    writeStandingsTextFile(table, K);
    writeGamesPageFile(table, K);
    writeStandingsPageFile(table, K);
    stopProgram(0);
}
