// The pair costs: HB (directed, first player starts) and MINHB (the cheaper direction),
// and the cost of a whole pairing.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "task_file.hpp"

inline constexpr double kForbidden = 1000000.0;  // same player, or players who have met
inline constexpr double kFirstMove = 34.6;       // the starter's allowance in rating points

// Cells that are always written before they are read: growing them clears nothing, and the
// pages of cells a round never uses are never touched.
template <typename T>
class UnclearedCells {
public:
    void resize(std::size_t size) {
        if (size > capacity_) {
            cells_ = std::make_unique_for_overwrite<T[]>(size);
            capacity_ = size;
        }
    }
    T* data() { return cells_.get(); }
    const T* data() const { return cells_.get(); }
    T& operator[](std::size_t n) { return cells_[n]; }
    const T& operator[](std::size_t n) const { return cells_[n]; }

private:
    std::unique_ptr<T[]> cells_;
    std::size_t capacity_ = 0;
};

// Both matrices in one block each, row p at p*(N+1); positions 1..N. No entry is below 0
// (a sum of squares, perhaps +1, or kForbidden); the triple phase relies on that.
struct CostMatrices {
    std::int32_t N = 0;
    UnclearedCells<double> HB;
    UnclearedCells<double> MINHB;
    // The two least entries of every MINHB row (NaN entries left out; +infinity for none),
    // and the column of the least: what a player costs at best in any pair but one.
    std::array<double, NMAX + 1> least{}, secondLeast{};
    std::array<std::int16_t, NMAX + 1> leastAt{};
    // The largest MINHB entry; +infinity when some entry is infinite or NaN.
    double largest = 0;

    double* row(UnclearedCells<double>& m, int p) { return m.data() + static_cast<std::size_t>(p) * (N + 1); }
    const double* row(const UnclearedCells<double>& m, int p) const {
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
// MINHB, and the two least entries of each of its rows.
void buildMINHB(CostMatrices& costs);
// The least MINHB[p][q] over every q but the one given: a floor of p in any new pair.
inline double leastBesides(const CostMatrices& costs, int p, int besides) {
    return costs.leastAt[p] == besides ? costs.secondLeast[p] : costs.least[p];
}

// Sum of HB[s][SOU[s]] over the starting players s in position order.
double pairingCost(const CostMatrices& costs, const std::array<std::int16_t, NMAX + 1>& SOU);
