// The recomputation in its order of steps: load and sort the list, load the games, ten
// passes of rating changes; then the rating list, or the tournament data for the pairing.
#include "recompute.hpp"

#include <string>
#include <unordered_map>

#include "fixed.hpp"
#include "platform.hpp"
#include "rating_files.hpp"
#include "rating_model.hpp"
#include "run_error.hpp"
#include "text_writer.hpp"

std::vector<RatedPlayer> loadRatingList(bool firstRound) {
    auto reader = TextReader::openOrFail(kRatingListName);
    auto entries = readRatingList(reader);
    if (entries.size() > kMaxRatedPlayers)
        stopWithMessage(std::string("Soubor ") + kRatingListName + " ma vice nez " +
                        std::to_string(kMaxRatedPlayers) + " radku");
    std::vector<RatedPlayer> players;
    for (const auto& entry : entries) {
        RatedPlayer player;
        player.X = entry.number;
        // An unrated player starts at 1400 only when the first round is paired.
        player.S0 = (firstRound && entry.games == 0) ? 1400.0 : entry.rating;
        player.S = player.S0;
        player.PAR = entry.games;
        players.push_back(player);
    }
    return players;
}

// Factor of the rating change, by games including this tournament's.
int changeFactor(std::int32_t games) { return games < 10 ? 50 : games < 50 ? 30 : 20; }

// Exchange sort, highest starting rating first; its order of equal ratings fixes every
// player's list number, so it must stay exactly this procedure.
void sortByStartingRating(std::vector<RatedPlayer>& players) {
    for (std::size_t i = 0; i + 1 < players.size(); ++i)
        for (std::size_t j = i + 1; j < players.size(); ++j)
            if (players[i].S0 < players[j].S0) {
                std::swap(players[i].S0, players[j].S0);
                std::swap(players[i].S, players[j].S);
                std::swap(players[i].X, players[j].X);
                std::swap(players[i].PAR, players[j].PAR);
            }
}

namespace {

std::vector<Game> loadGames() {
    auto reader = TextReader::openOrFail(kGameListName);
    auto games = readGames(reader);
    if (games.size() > kMaxGames)
        stopWithMessage(std::string("Soubor ") + kGameListName + " ma vice nez " + std::to_string(kMaxGames) +
                        " partii");
    return games;
}

void markAbsences(Recomputation& state, const std::vector<Absence>& absences, std::int32_t KOLO) {
    for (const auto& absence : absences)
        for (auto& player : state.players)
            if (player.X == absence.number && absence.first <= KOLO && KOLO <= absence.last) player.B = -1;
}

// Absences from zmeny.dat; when it is missing the organiser decides whether to go on.
void absences(Recomputation& state, std::int32_t KOLO, Console& console) {
    if (auto reader = TextReader::open(kAbsencesName)) {
        markAbsences(state, readAbsences(*reader), KOLO);
        return;
    }
    writeYellow(console, "Soubor zmeny.dat neexistuje. Mam pokracovat? a/n ");
    write(console, " ");
    if (readAnswer(console) == 'n') {
        writeLine(console);
        writeLine(console, "Vytvorte soubor zmeny.dat a spustte program znovu");
        stopProgram(0);
    }
    TextWriter(kAbsencesName).close();
}

void writeTaskFile(const Recomputation& state, std::int32_t KOL) {
    TextWriter file(kTaskFileName, FileLife::ThisRunOnly);
    for (const auto& line : taskFileLines(state, KOL)) file.writeLine(line);
    file.close();
}

}  // namespace

std::vector<RatedGame> placeGames(const std::vector<Game>& games, const std::vector<RatedPlayer>& players) {
    // When a number occurs twice in the list the last position wins.
    std::unordered_map<std::int32_t, std::size_t> positions;
    for (std::size_t i = 0; i < players.size(); ++i) positions[players[i].X] = i;
    auto positionOf = [&positions](std::int32_t number) {
        auto found = positions.find(number);
        if (found == positions.end())
            stopWithMessage("Hrac " + std::to_string(number) + " ze souboru " + kGameListName + " neni v souboru " +
                            kRatingListName);
        return found->second;
    };
    std::vector<RatedGame> placed;
    for (const Game& game : games) {
        std::size_t H1 = positionOf(game.k1);
        placed.push_back({game, H1, positionOf(game.k2)});
    }
    return placed;
}

namespace {

// What a pass needs of a game and does not change from pass to pass: the two positions and
// what each side obtained.
struct PassGame {
    std::size_t first, second;
    double firstObtained, secondObtained;
};

}  // namespace

// Ten passes; each game sees the opponent's rating from the start of the pass and the
// player's own starting rating.
void iterateRatings(Recomputation& state) {
    auto& players = state.players;
    std::vector<PassGame> games;
    games.reserve(state.games.size());
    for (const auto& rated : state.games) {
        const double S1 = rated.game.v1, S2 = rated.game.v2;
        games.push_back({rated.H1, rated.H2, ZISK(S1 - S2), ZISK(S2 - S1)});
        // Counted before the passes: the factor of the change depends on it.
        players[rated.H1].PAR = checkedAdd(players[rated.H1].PAR, 1);
        players[rated.H2].PAR = checkedAdd(players[rated.H2].PAR, 1);
    }
    // A player without games keeps his starting rating (factor 0: not moved).
    std::vector<int> factors;
    for (const auto& player : players) factors.push_back(player.PAR > 0 ? changeFactor(player.PAR) : 0);
    // The ratings of a pass are fixed while it runs, so its rating differences are taken
    // first and their ODHAD in one loop of its own: the exponentials then overlap, which
    // they do not when every one waits in line with the additions (nearly twice as fast).
    std::vector<double> expected(2 * games.size());
    for (int OP = 1; OP <= PIT; ++OP) {
        for (std::size_t n = 0; n < games.size(); ++n) {
            const auto& first = players[games[n].first];
            const auto& second = players[games[n].second];
            expected[2 * n] = first.S0 - second.S + KOM;
            expected[2 * n + 1] = second.S0 - first.S - KOM;
        }
        replaceByOdhad(expected);
        for (std::size_t n = 0; n < games.size(); ++n) {
            players[games[n].first].ZMNSA += games[n].firstObtained - expected[2 * n];
            players[games[n].second].ZMNSA += games[n].secondObtained - expected[2 * n + 1];
        }
        for (std::size_t i = 0; i < players.size(); ++i) {
            if (factors[i] == 0) continue;
            players[i].S = players[i].S0 + factors[i] * players[i].ZMNSA;
            players[i].ZMNSA = 0;
        }
    }
}

void tournamentPass(Recomputation& state, std::int32_t KOL) {
    auto& players = state.players;
    for (const auto& rated : state.games) {
        auto& first = players[rated.H1];
        auto& second = players[rated.H2];
        const std::int32_t S1 = rated.game.v1, S2 = rated.game.v2;
        first.AKO += (second.S - KOM) / KOL;
        second.AKO += (first.S + KOM) / KOL;
        first.BP = checkedAdd(first.BP, checkedSub(first.B, second.B));
        second.BP = checkedAdd(second.BP, checkedSub(second.B, first.B));
        if (S1 > S2) {
            first.B = checkedAdd(first.B, 2);
        } else if (S1 == S2) {
            first.B = checkedAdd(first.B, 1);
            second.B = checkedAdd(second.B, 1);
        } else {
            second.B = checkedAdd(second.B, 2);
        }
        first.ZAC = checkedAdd(first.ZAC, 1);
        first.ZACZ = first.ZACZ < 0 ? 1 : checkedAdd(first.ZACZ, 1);
        second.ZAC = checkedSub(second.ZAC, 1);
        second.ZACZ = second.ZACZ > 0 ? -1 : checkedSub(second.ZACZ, 1);
    }
}

// A player with fewer games than rounds played counts his own rating once more.
void missedRounds(Recomputation& state, std::int32_t KOL) {
    for (auto& player : state.players) {
        if (std::int64_t{player.PAR0} + KOL <= player.PAR) continue;
        player.AKO += player.S / KOL;
        player.PAR = checkedAdd(player.PAR, 1);
        player.AKO = player.AKO * KOL / (player.PAR - player.PAR0);
    }
}

// Score groups from the top; within a group list order; absent players left out.
std::vector<std::string> taskFileLines(const Recomputation& state, std::int32_t KOL) {
    std::vector<std::string> lines{std::to_string(KOL)};
    const auto& players = state.players;
    // Each player's opponents in game-list order: counted first, then laid out one player
    // after another, player I's from from[I] to from[I + 1].
    std::vector<std::size_t> from(players.size() + 1, 0);
    for (const auto& rated : state.games) {
        ++from[rated.H1 + 1];
        if (rated.H2 != rated.H1) ++from[rated.H2 + 1];
    }
    for (std::size_t I = 0; I < players.size(); ++I) from[I + 1] += from[I];
    std::vector<std::size_t> opponents(from.back());
    std::vector<std::size_t> next(from.begin(), from.end() - 1);
    for (const auto& rated : state.games) {
        opponents[next[rated.H1]++] = rated.H2;
        if (rated.H2 != rated.H1) opponents[next[rated.H2]++] = rated.H1;
    }
    LineBuilder line;
    for (std::int64_t L = 2 * std::int64_t{KOL}; L >= 0; --L) {
        for (std::size_t I = 0; I < players.size(); ++I) {
            const auto& player = players[I];
            if (player.B != L) continue;
            line.clear();
            line.integer(static_cast<std::int64_t>(I) + 1, 3).text(" ").integer(player.X, 3).text(" ");
            line.real(player.B / 2.0, 4, 1).text(" ").real(player.S, 6, 1).text(" ").real(player.AKO, 6, 1).text(" ");
            line.integer(player.BP, 3).text(" ").integer(player.ZAC, 2).text(" ").integer(player.ZACZ, 2);
            for (std::size_t n = from[I]; n < from[I + 1]; ++n)
                line.text(" ").integer(static_cast<std::int64_t>(opponents[n]) + 1, 2);
            lines.push_back(line.str());
        }
    }
    return lines;
}

std::vector<RatedPlayer> sortedRatingList(bool firstRound) {
    auto players = loadRatingList(firstRound);
    sortByStartingRating(players);
    return players;
}

Recomputation recomputeRatings(std::vector<RatedPlayer> list, const std::vector<Game>& games) {
    Recomputation state;
    state.players = std::move(list);
    state.games = placeGames(games, state.players);
    for (auto& player : state.players) player.PAR0 = player.PAR;
    iterateRatings(state);
    return state;
}

Recomputation recomputeFromFiles(bool firstRound, Console& console) {
    auto list = sortedRatingList(firstRound);
    auto games = loadGames();
    writeLine(console, "Nacteno " + std::to_string(games.size()) + " partii");
    return recomputeRatings(std::move(list), games);
}

std::string newRatingListText(const Recomputation& state) {
    std::string text;
    for (const auto& player : state.players) text += newRatingLine(player.X, player.S) + "\r\n";
    return text;
}

void writeNewRatingList(const Recomputation& state) {
    TextWriter file(kNewRatingListName);
    file.write(newRatingListText(state));
    file.close();
}

void PRIPRAV(std::int32_t KOLO, Console& console) {
    const std::int32_t KOL = KOLO - 1;
    Recomputation state = recomputeFromFiles(KOLO == 1, console);
    writeLine(console, "Zebricek byl spocitan ");
    tournamentPass(state, KOL);
    missedRounds(state, KOL);
    absences(state, KOLO, console);
    writeTaskFile(state, KOL);
}
