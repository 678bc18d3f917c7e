// The recomputation of every rating from kanvo.dat and all games, apart from its outputs:
// kanvo.new for the standings, and PRIPRAV's tournament data and task file for a pairing.
#pragma once

#include <cstdint>
#include <vector>

#include "console.hpp"
#include "game_files.hpp"

inline constexpr std::size_t kMaxRatedPlayers = 200;

// One entry of the player list; positions (list numbers) are 1-based indexes into it.
struct RatedPlayer {
    std::int32_t X = 0;   // player number
    double S0 = 0;        // starting rating
    double S = 0;         // current rating
    std::int32_t PAR0 = 0;  // rated games before the tournament
    std::int32_t PAR = 0;   // ... and with this tournament's games
    double ZMNSA = 0;       // rating change accumulated in one pass
    std::int32_t B = 0;     // half points; -1 = absent from the round being paired
    double AKO = 0;         // average rating of the opponents
    std::int32_t BP = 0;    // score-gap balance
    std::int32_t ZAC = 0;   // first-player balance
    std::int32_t ZACZ = 0;  // first-player streak
};

// A game with the list positions of its two players (0-based indexes).
struct RatedGame {
    Game game;
    std::size_t H1 = 0, H2 = 0;
};

struct Recomputation {
    std::vector<RatedPlayer> players;
    std::vector<RatedGame> games;
};

// kanvo.dat's players in list order: sorted by starting rating, an unrated player at 1400
// when the first round is being paired.
std::vector<RatedPlayer> sortedRatingList(bool firstRound);
// The ratings after these games, from the sorted list: ten passes, nothing read or written.
Recomputation recomputeRatings(std::vector<RatedPlayer> list, const std::vector<Game>& games);
// The same from kanvo.dat and partie.dat, with "Nacteno M partii" on the console once both
// are read: what los and poradi compute.
Recomputation recomputeFromFiles(bool firstRound, Console& console);

// kanvo.new's bytes (list order, number and rating with 1 decimal), and the file written.
std::string newRatingListText(const Recomputation& state);
void writeNewRatingList(const Recomputation& state);

// PRIPRAV for pairing round KOLO (1 or later): the ratings from the files, then the
// tournament data of every player present in the round, written to zadani.txt.
void PRIPRAV(std::int32_t KOLO, Console& console = processConsole());

// The steps, each on the state in memory (exposed for the tests).
std::vector<RatedPlayer> loadRatingList(bool firstRound);
int changeFactor(std::int32_t games);
void sortByStartingRating(std::vector<RatedPlayer>& players);
std::vector<RatedGame> placeGames(const std::vector<Game>& games, const std::vector<RatedPlayer>& players);
void iterateRatings(Recomputation& state);
void tournamentPass(Recomputation& state, std::int32_t KOL);
void missedRounds(Recomputation& state, std::int32_t KOL);
std::vector<std::string> taskFileLines(const Recomputation& state, std::int32_t KOL);
