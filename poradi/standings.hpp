// The standings table of poradi: one HRAC record per player met in the round files, the
// passes that fill it, the derived values (TURCAS, spread) and the exchange sort.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "console.hpp"
#include "game_files.hpp"
#include "text_reader.hpp"

inline constexpr std::size_t kMaxPlayers = 200;
inline constexpr std::size_t kNameLength = 25;
inline constexpr const char* kCoefficientsFileName = "koef.txt";

struct HRAC {
    std::int32_t C = 0;  // player number
    std::string JM;      // name, at most kNameLength characters
    std::int32_t S1 = 0;  // own scores, byes included
    std::int32_t S2 = 0;  // the other side's scores
    double B = 0;         // points
    std::int32_t P = 0;   // lines played, byes included
    std::int32_t P2 = 0;  // games against a real opponent
    std::int16_t Z = 0;   // start balance
    double BCH = 0;       // adjusted Buchholz
    double ARO = 0;       // average opponent rating
    double ARO2 = 0;      // sum of squared opponent ratings, then their spread
    double TURCAS = 0;
    double NSA = 0;  // rating from kanvo.new
};

// Table order first (order of first appearance), standings order after sortStandings.
using Standings = std::vector<HRAC>;

struct Coefficients {
    double KOEFA = 0, KOEFB = 0, KOEFC = 0, KOEFD = 0;
};

// The first four numbers of koef.txt.
Coefficients readCoefficients(TextReader koef);

// Lines whose first player number is 0 or below (a blank line read as zeros) count for nobody.
bool countsForStandings(const Game& line);
// Points of one side of a line: 1 for the higher score, 0.5 for equal scores (0 0 too).
double pointsFor(std::int32_t own, std::int32_t other);

// The record with this player number, or null.
HRAC* findPlayer(Standings& table, std::int32_t number);
const HRAC* findPlayer(const Standings& table, std::int32_t number);

// Points, score totals, line and game counts and start balance. More than kMaxPlayers
// players stop the program with a message naming the round files.
Standings totalsPass(const RoundFiles& rounds);
// Names from osoby.dat; the last line of a number wins.
void readNames(Standings& table, TextReader osoby);
// Ratings from kanvo.new; players not listed keep 0.
void readRatings(Standings& table, TextReader kanvo);
// Buchholz (opponents' final points, a half point per round an opponent has no line,
// K/2 for a bye) and the opponents' rating sums, with K the round of the standings.
void buchholzAndOpponentPass(Standings& table, const RoundFiles& rounds, std::int32_t K);
// A round without a line of the player's own counts K/2, like a bye; reported on the console.
void adjustMissedRounds(Standings& table, std::int32_t K, Console& console);
// TURCAS and the spread of the opponents' ratings.
void computeDerivedValues(Standings& table, const Coefficients& koef, std::int32_t K);
// Exchange sort by points, then TURCAS, both descending; the order of equal records is the
// one this procedure yields and is part of the output.
void sortStandings(Standings& table);
