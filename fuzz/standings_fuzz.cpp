// Fuzz target of poradi's inputs: koef.txt, osoby.dat, kanvo.new and the round files, taken
// through the standings computation and the three outputs (kept in memory, never written).
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_support.hpp"
#include "players_file.hpp"
#include "standings.hpp"
#include "standings_outputs.hpp"

namespace {

constexpr std::size_t kFirstRound = 3;  // koef.txt, osoby.dat, kanvo.new, then the rounds
constexpr std::size_t kMostRounds = 4;

void standingsOf(const std::vector<std::string>& files) {
    const Coefficients koef = readCoefficients(TextReader(kCoefficientsFileName, files[0]));
    const auto K = static_cast<std::int32_t>(files.size() - kFirstRound);
    RoundFiles rounds;
    for (std::int32_t r = 1; r <= K; ++r) {
        TextReader reader(roundFileName(r), files[kFirstRound + static_cast<std::size_t>(r) - 1]);
        rounds.push_back(readGames(reader));
    }
    Standings table = totalsPass(rounds);
    check(table.size() <= kMaxPlayers, "more players than the standings hold");
    readNames(table, TextReader(kPlayersFileName, files[1]));
    readRatings(table, TextReader("kanvo.new", files[2]));
    buchholzAndOpponentPass(table, rounds, K);
    std::ostringstream out;
    Console console{nullptr, &out, false};
    adjustMissedRounds(table, K, console);
    computeDerivedValues(table, koef, K);
    sortStandings(table);
    for (const HRAC& player : table) check(player.JM.size() <= kNameLength, "a name longer than 25 characters");

    TextWriter text(standingsTextName(K)), games(gamesPageName(K)), page(standingsPageName(K));
    writeStandingsText(text, table);
    TextReader lastRound(roundFileName(K), files.back());
    writeGamesPage(games, table, K, readTables(lastRound, 0));
    writeStandingsPage(page, table, K);
}

}  // namespace

// Input: koef.txt, osoby.dat, kanvo.new and partie1.txt to partie<K>.txt (K = 1..4),
// separated by form feeds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> files = splitFiles(data, size, kFirstRound + kMostRounds);
    if (files.size() <= kFirstRound) return 0;
    runStep([&] { standingsOf(files); }, {1, 106, 215});
    return 0;
}
