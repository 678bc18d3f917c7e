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
    // The least entry of every MINHB row (NaN entries left out; +infinity for none): what a
    // player costs at best in any pair.
    std::array<double, NMAX + 1> least{};
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
// MINHB, the least entry of each of its rows and the largest entry.
void buildMINHB(CostMatrices& costs);

// Sum of HB[s][SOU[s]] over the starting players s in position order.
double pairingCost(const CostMatrices& costs, const std::array<std::int16_t, NMAX + 1>& SOU);
