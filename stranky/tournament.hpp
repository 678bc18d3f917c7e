// The tournament as the web site shows it, built from the folder's files without writing any:
// the players, every round with its games, and for each complete round the standings and the
// ratings exactly as poradi computes them; the games and rating rise the records come from.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game_files.hpp"
#include "platform.hpp"
#include "players_file.hpp"
#include "rating_files.hpp"
#include "records.hpp"
#include "standings.hpp"
#include "tournament_facts.hpp"

struct SitePlayer {
    std::int32_t number = 0;
    std::string name;         // UTF-8, empty when osoby.dat has no line for the number
    double ratingBefore = 0;  // kanvo.dat
    double rating = 0;        // after the latest complete round, as kanvo.new holds it
};

// One line of a round file.
struct SiteGame {
    std::int32_t table = 0;  // position among the round's lines (what zadej asks for); 0: the bye
    std::int32_t first = 0, second = 0, score1 = 0, score2 = 0;
    bool bye() const { return second <= 0; }
    bool entered() const { return bye() || !notEntered(score1, score2); }
    bool has(std::int32_t number) const { return first == number || (!bye() && second == number); }
};

struct SiteRound {
    std::int32_t round = 0;
    std::vector<SiteGame> games;
    bool complete = false;                    // every game with an opponent has its result
    std::map<std::int32_t, double> pointsBefore;  // entered results of the rounds before this one
    std::vector<std::int32_t> absent;         // players without a line in this round
    Standings standings;                      // after this round, when complete
    std::map<std::int32_t, std::size_t> rowOf;  // each player's row of the standings
};

struct Tournament {
    TournamentFacts facts;            // turnaj.txt, or the name "Turnaj" alone
    std::vector<std::string> warnings;  // lines of turnaj.txt left out, for the console
    platform::LocalTime readAt;       // when the folder was read: what the pages call updated
    std::vector<SitePlayer> players;  // ascending numbers: kanvo.dat's, then any other in the rounds
    std::vector<SiteRound> rounds;    // partie1.txt, partie2.txt, ... as long as they follow
    std::optional<Coefficients> koef;  // read once a round is complete
    std::int32_t lastComplete = 0;    // the latest complete round, 0 when there is none
    std::vector<Game> recordGames;    // the games of rounds 1..lastComplete, as partie.dat
    std::vector<std::int32_t> recordRounds;  // the round of each of recordGames
    std::optional<RatingRise> rise;   // rekordy's rise after lastComplete (none before)
};

// What a tournament folder must hold for the site: without either file the folder is not a
// tournament's. koef.txt is needed once a round is complete.
inline constexpr const char* kSiteNeeds[] = {kRatingListName, kPlayersFileName};

// Stops the program with a message when the current folder lacks kanvo.dat or osoby.dat.
void checkTournamentFolder();

// The tournament of the current folder. A folder without kanvo.dat or osoby.dat stops the
// program with a message; so do koef.txt missing when a round is complete, and whatever stops
// poradi on the same files.
Tournament readTournament();

// The player with this number, or null.
const SitePlayer* findSitePlayer(const Tournament& tournament, std::int32_t number);
// The line of the round with this player, or null when he does not play in it.
const SiteGame* gameOf(const SiteRound& round, std::int32_t number);
// The round being played or last played (the last paired), or null before round 1.
const SiteRound* currentRound(const Tournament& tournament);
// The player's row of a round's standings, or null (an incomplete round, or not in it).
const HRAC* standingOf(const SiteRound& round, std::int32_t number);
// The standings before a round: of the latest complete round before it, or null (then the
// ratings are those of kanvo.dat and nobody has a place).
const SiteRound* standingsBefore(const Tournament& tournament, std::int32_t round);
