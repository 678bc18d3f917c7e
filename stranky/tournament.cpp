// Reading the tournament for the site: the rounds that follow one another, their completeness,
// and the standings of every complete round computed the way poradi computes them, with the
// ratings taken as poradi reads them back from kanvo.new, but nothing written.
#include "tournament.hpp"

#include <algorithm>
#include <ostream>
#include <set>

#include "names.hpp"
#include "players_file.hpp"
#include "recompute.hpp"
#include "run_error.hpp"
#include "text_reader.hpp"

namespace {

// The console of the computations, whose lines (games loaded, Buchholz adjusted) are poradi's.
Console& quietConsole() {
    static std::ostream nowhere(nullptr);
    static Console quiet{nullptr, &nowhere, false};
    return quiet;
}

// partie1.txt, partie2.txt, ... up to the first that is missing.
RoundFiles readRounds() {
    RoundFiles rounds;
    while (auto games = readRoundFile(static_cast<std::int32_t>(rounds.size() + 1))) rounds.push_back(std::move(*games));
    return rounds;
}

std::vector<SiteRound> siteRounds(const RoundFiles& files) {
    std::vector<SiteRound> rounds;
    std::map<std::int32_t, double> points;
    for (std::size_t r = 0; r < files.size(); ++r) {
        SiteRound round;
        round.round = static_cast<std::int32_t>(r + 1);
        round.pointsBefore = points;
        std::int32_t position = 0;
        for (const Game& line : files[r]) {
            if (!countsForStandings(line)) continue;
            ++position;
            SiteGame game{line.k2 > 0 ? position : 0, line.k1, line.k2, line.v1, line.v2};
            round.games.push_back(game);
            if (!game.entered()) continue;  // a result not entered counts for nobody yet
            points[line.k1] += pointsFor(line.v1, line.v2);
            if (!game.bye()) points[line.k2] += pointsFor(line.v2, line.v1);
        }
        round.complete = std::all_of(round.games.begin(), round.games.end(), [](const SiteGame& g) { return g.entered(); });
        rounds.push_back(std::move(round));
    }
    return rounds;
}

std::vector<SitePlayer> sitePlayers(const std::vector<RatingListEntry>& list, const PlayerNames& names,
                                    const RoundFiles& rounds) {
    std::map<std::int32_t, double> before;  // the last line of a number wins
    for (const auto& entry : list) before[entry.number] = entry.rating;
    std::set<std::int32_t> numbers;
    for (const auto& entry : list) numbers.insert(entry.number);
    for (const auto& round : rounds)
        for (const Game& line : round) {
            if (!countsForStandings(line)) continue;
            numbers.insert(line.k1);
            if (line.k2 > 0) numbers.insert(line.k2);
        }
    std::vector<SitePlayer> players;
    for (std::int32_t number : numbers) {
        const double rating = before.count(number) ? before[number] : 0.0;
        players.push_back({number, trimmedName(nameAsUtf8(playerName(names, number))), rating, rating});
    }
    return players;
}

// The standings after round r, as poradi r computes them; the ratings of kanvo.new come back.
Standings standingsAfter(const RoundFiles& files, std::int32_t r, const std::vector<RatedPlayer>& list,
                         const Coefficients& koef, std::vector<NewRating>& ratings) {
    const RoundFiles played(files.begin(), files.begin() + r);
    const std::string kanvoNew = newRatingListText(recomputeRatings(list, gameList(played)));
    TextReader readBack(kNewRatingListName, kanvoNew);
    ratings = readNewRatingList(readBack);
    Standings table = totalsPass(played);
    readRatings(table, TextReader(kNewRatingListName, kanvoNew));
    buchholzAndOpponentPass(table, played, r);
    adjustMissedRounds(table, r, quietConsole());
    computeDerivedValues(table, koef, r);
    sortStandings(table);
    return table;
}

// rekordy's largest rise: kanvo.dat against the ratings after the latest complete round.
RatingRise riseOf(const std::vector<RatingListEntry>& list, const std::vector<NewRating>& ratings) {
    RatingTable before{}, after{};
    const auto fits = [](std::int32_t number) { return number >= 1 && number <= kMaxPlayerNumber; };
    for (const auto& entry : list)
        if (fits(entry.number)) before[static_cast<std::size_t>(entry.number)] = entry.rating;
    for (const auto& entry : ratings)
        if (fits(entry.number)) after[static_cast<std::size_t>(entry.number)] = entry.rating;
    return largestRise(before, after);
}

void listAbsences(Tournament& tournament) {
    for (auto& round : tournament.rounds)
        for (const auto& player : tournament.players)
            if (!gameOf(round, player.number)) round.absent.push_back(player.number);
}

// The games of the records (as partie.dat of these rounds holds them) with their rounds.
void recordGamesOf(Tournament& tournament, const RoundFiles& played) {
    tournament.recordGames = gameList(played);
    for (std::size_t r = 0; r < played.size(); ++r)
        for (const Game& line : played[r])
            if (line.k2 > 0) tournament.recordRounds.push_back(static_cast<std::int32_t>(r + 1));
}

TournamentFacts readFactsFile(std::vector<std::string>& warnings) {
    auto facts = TextReader::open(kFactsFileName);
    return facts ? readFacts(std::move(*facts), warnings) : TournamentFacts{};
}

Coefficients readKoef() {
    auto koef = TextReader::open(kCoefficientsFileName);
    if (!koef) stopWithMessage(std::string("Soubor ") + kCoefficientsFileName + " neexistuje, poradi nelze spocitat");
    return readCoefficients(std::move(*koef));
}

}  // namespace

void checkTournamentFolder() {
    for (const char* name : kSiteNeeds)
        if (!TextReader::open(name))
            stopWithMessage(std::string("Ve slozce neni turnaj: chybi soubor ") + name);
}

Tournament readTournament() {
    checkTournamentFolder();
    TextReader kanvo = TextReader::openOrFail(kRatingListName);
    const std::vector<RatingListEntry> list = readRatingList(kanvo);
    TextReader osoby = TextReader::openOrFail(kPlayersFileName);
    const PlayerNames names = readPlayerNames(osoby, kMaxTableText);
    const RoundFiles files = readRounds();

    Tournament tournament;
    tournament.readAt = platform::localTimeNow();
    tournament.facts = readFactsFile(tournament.warnings);
    tournament.rounds = siteRounds(files);
    tournament.players = sitePlayers(list, names, files);
    listAbsences(tournament);
    for (const auto& round : tournament.rounds)
        if (round.complete) tournament.lastComplete = round.round;
    if (tournament.lastComplete == 0) return tournament;

    tournament.koef = readKoef();
    const std::vector<RatedPlayer> sorted = sortedRatingList(false);
    std::vector<NewRating> ratings;
    for (auto& round : tournament.rounds)
        if (round.complete) {
            round.standings = standingsAfter(files, round.round, sorted, *tournament.koef, ratings);
            for (std::size_t i = 0; i < round.standings.size(); ++i) round.rowOf[round.standings[i].C] = i;
        }
    for (const auto& entry : ratings)
        for (auto& player : tournament.players)
            if (player.number == entry.number) player.rating = entry.rating;
    recordGamesOf(tournament, RoundFiles(files.begin(), files.begin() + tournament.lastComplete));
    tournament.rise = riseOf(list, ratings);
    return tournament;
}

const SitePlayer* findSitePlayer(const Tournament& tournament, std::int32_t number) {
    const auto& players = tournament.players;  // ascending numbers
    const auto found = std::lower_bound(players.begin(), players.end(), number,
                                        [](const SitePlayer& player, std::int32_t n) { return player.number < n; });
    return found != players.end() && found->number == number ? &*found : nullptr;
}

const SiteGame* gameOf(const SiteRound& round, std::int32_t number) {
    for (const auto& game : round.games)
        if (game.has(number)) return &game;
    return nullptr;
}

const SiteRound* currentRound(const Tournament& tournament) {
    return tournament.rounds.empty() ? nullptr : &tournament.rounds.back();
}

const HRAC* standingOf(const SiteRound& round, std::int32_t number) {
    const auto row = round.rowOf.find(number);
    return row == round.rowOf.end() ? nullptr : &round.standings[row->second];
}

const SiteRound* standingsBefore(const Tournament& tournament, std::int32_t round) {
    for (std::int32_t r = std::min(round - 1, tournament.lastComplete); r >= 1; --r)
        if (tournament.rounds[static_cast<std::size_t>(r - 1)].complete) return &tournament.rounds[static_cast<std::size_t>(r - 1)];
    return nullptr;
}
