// Speed of the rating recomputation on a simulated 150-player tournament after 23 rounds:
// the ten rating passes alone, and the whole PRIPRAV with its files, as los 24 calls it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <sstream>

#include "recompute.hpp"

namespace {

constexpr int kPlayers = 150;
constexpr int kRounds = 23;

// A normal deviate from the generator's raw numbers, the same with every standard library.
double normal(std::mt19937& random) {
    const double u1 = (random() + 1.0) / 4294967296.0, u2 = random() / 4294967296.0;
    return std::sqrt(-2 * std::log(u1)) * std::cos(6.283185307179586 * u2);
}

struct Tournament {
    std::vector<double> ratings;  // as kanvo.dat holds them: two decimals, 1400 for the unrated
    std::vector<int> games;       // games before the tournament
    std::vector<Game> played;     // partie.dat order
};

// Every round paired within the standings (neighbours by points, then rating), scores drawn
// around 420 with the rating edge, now and then a draw.
Tournament simulate(std::uint32_t seed) {
    std::mt19937 random(seed);
    Tournament t;
    for (int i = 0; i < kPlayers; ++i) {
        const bool unrated = random() % 10 == 0;
        t.games.push_back(unrated ? 0 : static_cast<int>(1 + random() % 300));
        t.ratings.push_back(unrated ? 1400.0 : std::round((1550 + 200 * normal(random)) * 100) / 100);
    }
    std::vector<int> points(kPlayers, 0), order(kPlayers);
    for (int round = 0; round < kRounds; ++round) {
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return points[a] != points[b] ? points[a] > points[b] : t.ratings[a] > t.ratings[b];
        });
        for (int i = 0; i + 1 < kPlayers; i += 2) {
            int a = order[i], b = order[i + 1];
            if (random() % 2) std::swap(a, b);
            const double edge = (t.ratings[a] - t.ratings[b]) / 400;
            const auto score = [&](double mean) { return std::clamp(static_cast<int>(mean + 55 * normal(random)), 180, 650); };
            const int v1 = score(420 + 40 * edge), v2 = random() % 25 == 0 ? v1 : score(420 - 40 * edge);
            t.played.push_back({a + 1, b + 1, v1, v2});
            points[a] += v1 > v2 ? 2 : v1 == v2 ? 1 : 0;
            points[b] += v2 > v1 ? 2 : v1 == v2 ? 1 : 0;
        }
    }
    return t;
}

const Tournament& tournament() {
    static const Tournament t = simulate(15023);
    return t;
}

// The state iterateRatings starts from, built by PRIPRAV's own steps.
Recomputation startingState() {
    const Tournament& t = tournament();
    Recomputation state;
    for (int i = 0; i < kPlayers; ++i) {
        RatedPlayer player;
        player.X = i + 1;
        player.S0 = player.S = t.ratings[i];
        player.PAR = player.PAR0 = t.games[i];
        state.players.push_back(player);
    }
    sortByStartingRating(state.players);
    state.games = placeGames(t.played, state.players);
    return state;
}

void BM_RatingPasses(benchmark::State& state) {
    const Recomputation start = startingState();
    for (auto _ : state) {
        Recomputation work = start;
        iterateRatings(work);
        benchmark::DoNotOptimize(work.players.data());
    }
    state.counters["games"] = static_cast<double>(start.games.size());
}

// kanvo.dat, partie.dat and zmeny.dat in a folder of their own; PRIPRAV(24) writes zadani.txt.
void BM_Priprav(benchmark::State& state) {
    const Tournament& t = tournament();
    const auto folder = std::filesystem::temp_directory_path() / "rating-bench";
    std::filesystem::create_directories(folder);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    {
        std::ofstream list("kanvo.dat", std::ios::binary), games("partie.dat", std::ios::binary);
        char line[64];
        for (int i = 0; i < kPlayers; ++i) {
            std::snprintf(line, sizeof line, "%3d %7.2f %3d\r\n", i + 1, t.ratings[i], t.games[i]);
            list << line;
        }
        for (const Game& g : t.played) {
            std::snprintf(line, sizeof line, "%3d %3d %3d %3d\r\n", g.k1, g.k2, g.v1, g.v2);
            games << line;
        }
        std::ofstream("zmeny.dat", std::ios::binary);
    }
    std::istringstream in;
    std::ostringstream out;
    Console console{&in, &out, false};
    for (auto _ : state) {
        PRIPRAV(kRounds + 1, console);
        out.str("");
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

BENCHMARK(BM_RatingPasses)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Priprav)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
