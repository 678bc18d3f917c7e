// Pairing speed on simulated tournaments of 50, 100 and 150 players at rounds 2, 12 and 24:
// the literal search as the baseline, the fast search, the exact matching, and VYRES.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "exact_matching.hpp"
#include "plain_search.hpp"
#include "sample_tasks.hpp"
#include "search.hpp"
#include "task_file.hpp"
#include "vyres.hpp"

namespace {

const std::string& taskText(int players, int round) {
    static std::map<std::pair<int, int>, std::string> made;
    auto& text = made[{players, round}];
    if (text.empty()) text = simulatedTaskFile(players, round, static_cast<std::uint32_t>(1000 * players + round));
    return text;
}

std::unique_ptr<Task> readText(const std::string& text) {
    auto task = std::make_unique<Task>();
    TextReader reader(kTaskFileName, text);
    readTask(reader, *task);
    computeAROPR(*task);
    return task;
}

struct Outcome {
    Pairing pairing;
    SearchTrace trace;
};

Outcome pairPlain(const std::string& text, SearchTrace* trace) {
    Outcome outcome;
    auto task = readText(text);
    outcome.pairing.N = task->N;
    chooseBye(*task, outcome.pairing);
    pairLaterRoundPlain(*task, outcome.pairing, trace);
    return outcome;
}

Outcome pairFast(const std::string& text, SearchTrace* trace) {
    Outcome outcome;
    auto task = readText(text);
    outcome.pairing.N = task->N;
    chooseBye(*task, outcome.pairing);
    // Kept between calls for their memory, as VYRES keeps them.
    static CostMatrices costs;
    static SearchWork work;
    pairLaterRound(*task, costs, work, outcome.pairing, trace);
    return outcome;
}

// Both searches must make the same moves before their times mean anything.
bool sameSearch(const std::string& text, benchmark::State& state) {
    SearchTrace plainTrace, fastTrace;
    Outcome plain = pairPlain(text, &plainTrace);
    Outcome fast = pairFast(text, &fastTrace);
    state.counters["KROKU"] = fast.pairing.KROKU;
    state.counters["KROKU2"] = fast.pairing.KROKU2;
    if (plainTrace == fastTrace && plain.pairing.SOU == fast.pairing.SOU && plain.pairing.KROKU == fast.pairing.KROKU)
        return true;
    state.SkipWithError("the fast search differs from the literal one");
    return false;
}

void BM_PlainSearch(benchmark::State& state) {
    const std::string& text = taskText(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!sameSearch(text, state)) return;
    for (auto _ : state) benchmark::DoNotOptimize(pairPlain(text, nullptr));
}

void BM_FastSearch(benchmark::State& state) {
    const std::string& text = taskText(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    if (!sameSearch(text, state)) return;
    for (auto _ : state) benchmark::DoNotOptimize(pairFast(text, nullptr));
}

// The exact matching alone, over the costs and the bye of the searched round.
void BM_ExactMatching(benchmark::State& state) {
    auto task = readText(taskText(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    Pairing searched;
    searched.N = task->N;
    chooseBye(*task, searched);
    CostMatrices costs;
    SearchWork work;
    pairLaterRound(*task, costs, work, searched);
    MatchingWork matching;
    const Pairing exact = exactMatching(costs, searched, matching);
    state.counters["search"] = pairingCost(costs, searched.SOU);
    state.counters["exact"] = pairingCost(costs, exact.SOU);
    for (auto _ : state) benchmark::DoNotOptimize(exactMatching(costs, searched, matching));
}

// The whole call as los makes it: zadani.txt read, los<N>.txt written and flushed to disk.
void BM_Vyres(benchmark::State& state) {
    const int round = static_cast<int>(state.range(1));
    const auto folder = std::filesystem::temp_directory_path() / "pairing-bench";
    std::filesystem::create_directories(folder);
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    std::ofstream(kTaskFileName, std::ios::binary) << taskText(static_cast<int>(state.range(0)), round);
    std::istringstream in;
    std::ostringstream out;
    Console console{&in, &out, false};
    for (auto _ : state) {
        std::int32_t KROKU = 0, KROKU2 = 0;
        double CHYB = 0;
        VYRES(KROKU, KROKU2, CHYB, console);
        benchmark::DoNotOptimize(CHYB);
        out.str("");
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

void sizes(benchmark::internal::Benchmark* b) {
    for (int players : {50, 100, 150})
        for (int round : {2, 12, 24}) b->Args({players, round});
    b->ArgNames({"players", "round"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_PlainSearch)->Apply(sizes);
BENCHMARK(BM_FastSearch)->Apply(sizes);
BENCHMARK(BM_ExactMatching)->Apply(sizes);
BENCHMARK(BM_Vyres)->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();
