// The random generator of the first round: INITRANDOM keeps its seed in randseed.txt, and
// Random(n) draws 0..n-1 from the standard 32-bit Mersenne Twister.
#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "console.hpp"

inline constexpr const char* kSeedFileName = "randseed.txt";
inline constexpr std::uint64_t kSeedRange = 2147483648u;  // seeds are 0..2^31-1

struct RandomGenerator {
    std::mt19937 engine;  // standard parameters and standard seeding
};

// The upper 32 bits of n times the next output: 0..n-1.
std::uint32_t Random(RandomGenerator& generator, std::uint32_t n);

// The seed held by a seed file's text; nothing when it holds no number in 0..2^31-1.
std::optional<std::uint32_t> storedSeed(const std::string& text);

// Seeds the generator: the stored seed when the organiser answers "a", otherwise a new seed
// from the millisecond counter, which is then stored and shown.
void INITRANDOM(RandomGenerator& generator, Console& console);
