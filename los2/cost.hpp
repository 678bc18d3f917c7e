// The pair costs: HB (directed, first player starts) and MINHB (the cheaper direction),
// and the cost of a whole pairing.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "task_file.hpp"

inline constexpr double kForbidden = 1000000.0;  // same player, or players who have met
inline constexpr double kFirstMove = 34.6;       // the starter's allowance in rating points

// Both matrices in one block each, row p at p*(N+1); positions 1..N. No entry is below 0
// (a sum of squares, perhaps +1, or kForbidden); the triple phase relies on that.
struct CostMatrices {
    std::int32_t N = 0;
    std::vector<double> HB;
    std::vector<double> MINHB;

    double* row(std::vector<double>& m, int p) { return m.data() + static_cast<std::size_t>(p) * (N + 1); }
    const double* row(const std::vector<double>& m, int p) const {
        return m.data() + static_cast<std::size_t>(p) * (N + 1);
    }
};

// Room for N players; the only allocation of the later-round search (none when the
// matrices already had room).
void sizeCostMatrices(CostMatrices& costs, std::int32_t n);

// HB[p][q] for p starting against q.
double pairCost(const Task& task, int p, int q, bool met);
// Surcharges of a start balance and of a start run after the game.
double startBalanceSurcharge(int balance);
double startRunSurcharge(int run);

// Every HB entry; the matrices must be sized for task.N.
void buildHB(const Task& task, CostMatrices& costs);
void buildMINHB(CostMatrices& costs);

// Sum of HB[s][SOU[s]] over the starting players s in position order.
double pairingCost(const CostMatrices& costs, const std::array<std::int16_t, NMAX + 1>& SOU);
