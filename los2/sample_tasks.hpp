// Task files for tests and the benchmark: a simulated tournament paired round by round by
// the optimiser itself, and small task files of random fields full of ties.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// zadani.txt for pairing round `round` of a tournament of `players` (at most NMAX) whose
// earlier rounds were paired by the fast search and played out at random: score groups,
// start balances and runs, opponents, and now and then an absence.
std::string simulatedTaskFile(int players, int round, std::uint32_t seed);
// The task files of rounds 1..rounds of the same tournament, in round order (entry r - 1 is
// simulatedTaskFile(players, r, seed)).
std::vector<std::string> simulatedTaskFiles(int players, int rounds, std::uint32_t seed);

// A later-round task file of random fields from small sets, so that equal costs and equal
// gains are common; opponent lists are random, so repeats may be forced.
std::string randomTaskFile(std::uint32_t seed);
