// The task file zadani.txt read into the optimiser's tables, and the reference opponent
// strength AROPR of every score group.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game_files.hpp"
#include "text_reader.hpp"

inline constexpr int NMAX = 150;               // most players the optimiser holds
inline constexpr int MAXKOL = 24;              // highest round it can pair
inline constexpr int kMaxOpponents = MAXKOL - 1;  // opponent entries per player
inline constexpr int kMaxHalfPoints = 150;     // highest score group of AROPR

// One round's players in task-file order; positions run 1..N, index 0 is unused.
struct Task {
    std::int32_t KOL = 0;  // rounds already played
    std::int32_t N = 0;
    std::array<std::int16_t, NMAX + 1> listNumber{};    // what opponent entries refer to
    std::array<std::int16_t, NMAX + 1> playerNumber{};  // only copied to the pairing list
    std::array<std::int16_t, NMAX + 1> PB{};            // score in half points
    std::array<double, NMAX + 1> rating{};
    std::array<double, NMAX + 1> ARO{};  // average opponent rating so far
    std::array<std::int16_t, NMAX + 1> BP{};
    std::array<std::int16_t, NMAX + 1> ZAC{};   // start balance
    std::array<std::int16_t, NMAX + 1> ZACZ{};  // start run
    std::array<std::array<std::uint8_t, kMaxOpponents + 1>, NMAX + 1> SOUP{};  // [p][1..23]
    std::array<double, kMaxHalfPoints + 1> AROPR{};
};

// Reads the task into task. A file beyond the optimiser's capacity gives back the message
// naming the limit; a field outside its range ends the program with run-time error 201.
std::optional<std::string> readTask(TextReader& reader, Task& task);

// AROPR[g] for g = 0..2*KOL: the mean of (KOL*ARO + rating)/(KOL+1) over the group, an odd g
// taking in the groups on either side.
void computeAROPR(Task& task);
