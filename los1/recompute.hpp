// PRIPRAV: the recomputation of every rating from kanvo.dat and all games in partie.dat,
// then either kanvo.new (round -1) or the task file zadani.txt for pairing round KOLO.
#pragma once

#include <cstdint>
#include <vector>

#include "console.hpp"
#include "game_files.hpp"

inline constexpr std::size_t kMaxRatedPlayers = 200;
inline constexpr const char* kTaskFileName = "zadani.txt";

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

void PRIPRAV(std::int32_t KOLO, Console& console = processConsole());

// The steps of PRIPRAV, each on the state in memory (exposed for the tests).
std::vector<RatedPlayer> loadRatingList(std::int32_t KOLO);
int changeFactor(std::int32_t games);
void sortByStartingRating(std::vector<RatedPlayer>& players);
std::vector<RatedGame> placeGames(const std::vector<Game>& games, const std::vector<RatedPlayer>& players);
void iterateRatings(Recomputation& state);
void tournamentPass(Recomputation& state, std::int32_t KOL);
void missedRounds(Recomputation& state, std::int32_t KOL);
std::vector<std::string> taskFileLines(const Recomputation& state, std::int32_t KOL);
