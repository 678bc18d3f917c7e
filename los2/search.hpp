// The pairing search: bye, random first round, greedy start, then the improvement loop of
// direction step, pair phase and triple phase until no move lowers the cost.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "cost.hpp"
#include "random_seed.hpp"
#include "task_file.hpp"

inline constexpr std::int16_t kByeMarker = 1000;  // only while the initial pairing is built
inline constexpr std::int32_t kPassLimit = 10000;  // beyond it the pair phase makes one pass
inline constexpr double kLeastGain = 1e-9;         // a smaller applied gain ends the pair phase

// SOU[p] = q: p plays q and starts; -q: q starts; 0: no opponent. A pair is addressed by its
// starter, the member with the positive entry.
struct Pairing {
    std::int32_t N = 0;
    std::array<std::int16_t, NMAX + 1> SOU{};
    std::int32_t KROKU = 0;   // passes of the pair phase
    std::int32_t KROKU2 = 0;  // applied triple moves
};

// One applied change, for comparing two searches move for move.
struct SearchStep {
    char phase;  // 'd' direction turned, 'p' pair move, 't' triple move
    std::int16_t i, j, k;
    std::int8_t move;  // 1..2 in the pair phase, 1..4 (T1..T4) in the triple phase
    bool operator==(const SearchStep&) const = default;
};
using SearchTrace = std::vector<SearchStep>;

// Scratch tables of the fast search, sized once before it starts.
struct SearchWork {
    std::int32_t N = 0;
    UnclearedCells<double> gain;       // pair phase: best gain of the pairs started by i < j
    UnclearedCells<std::int8_t> move;  // ... and the move giving it
    std::array<double, NMAX + 1> rowGain{};       // best gain of row i over later starters j
    std::array<std::int16_t, NMAX + 1> rowPartner{};  // ... the first j giving it, 0 for none
    std::array<std::int16_t, NMAX + 1> evaluatedSOU{};  // the pairing the gains belong to
    bool gainsKept = false;
    std::array<std::int16_t, NMAX + 1> starters{};
    std::int32_t starterCount = 0;
    std::array<double, NMAX + 1> ownCost{};          // triple phase: MINHB of pair c itself
    std::array<std::int16_t, NMAX + 1> byOwnCost{};  // ... the pairs after the first, dearest first
    std::array<double, NMAX + 1> pairKey{};          // ... own cost of pair c less i2's entry into it
    std::array<bool, NMAX + 1> pairChanged{};           // ... pairs not as in the last scan
    std::array<std::int16_t, NMAX + 1> changedPairs{};  // ... and their list
    std::int32_t changedCount = 0;
    // What the last triple scan proved: no three pairs whose first two starters come before
    // those of its move (i, j), in scan order, had a move, with the pairing as it was then.
    bool triplesKnown = false;
    std::array<std::int16_t, NMAX + 1> scannedSOU{};
    std::int16_t movedI = 0, movedJ = 0;
};

void sizeSearchWork(SearchWork& work, std::int32_t n);

// Bye when N is odd: candidates have KOL opponent entries; lowest PB + rating/10000 wins,
// the earlier position on equal keys. No candidate: nobody is marked.
void chooseBye(const Task& task, Pairing& pairing);

// Round 1: the first 2*(N div 2) positions pair at random, starting sides alternating.
void pairFirstRound(Pairing& pairing, RandomGenerator& generator);

// Each unpaired position in turn takes the cheapest unpaired later one, either direction.
void pairGreedy(const CostMatrices& costs, Pairing& pairing);

// Rounding can make a triple move "lower" the cost by a last bit that the pair phase then
// takes back, for ever. The watch sees the pairing after each pair phase and reports when
// one comes round again (Brent's cycle finding: one checkpoint, moved at powers of two).
// It is consulted only once the pair phase is down to one pass a visit: from then on the
// pairing alone decides every later step, so a pairing seen again means the search would
// never end; before that, the pass limit may still break the circle.
struct LoopWatch {
    std::array<std::int16_t, NMAX + 1> checkpoint{};
    std::int32_t seen = 0;
    std::int32_t sinceCheckpoint = 0;
    std::int32_t stretch = 1;

    bool cameRound(const std::array<std::int16_t, NMAX + 1>& SOU);
    // The search is caught in a circle it would never leave.
    bool endless(const Pairing& pairing) { return pairing.KROKU > kPassLimit && cameRound(pairing.SOU); }
};

// Direction step, pair phase and triple phase until the triple phase finds no move, or, past
// the pass limit, the pairing after a pair phase is one seen there before.
void improvePairing(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace = nullptr);

// A later round from a read task: matrices, greedy start, improvement.
void pairLaterRound(const Task& task, CostMatrices& costs, SearchWork& work, Pairing& pairing,
                    SearchTrace* trace = nullptr);

// From the improvement loop on, the bye player is simply unpaired.
void clearByeMarker(Pairing& pairing);
