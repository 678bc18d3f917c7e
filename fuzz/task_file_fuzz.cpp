// Fuzz target of the task file zadani.txt: read into the optimiser's tables, then paired as
// VYRES pairs it; the pairing pairs every position once and its list reads back as written.
#include <cstdlib>
#include <string>
#include <vector>

#include "cost.hpp"
#include "fuzz_support.hpp"
#include "game_files.hpp"
#include "pairing_list.hpp"
#include "random_seed.hpp"
#include "search.hpp"
#include "task_file.hpp"

namespace {

void checkPairing(const Task& task, const Pairing& pairing) {
    int unpaired = 0;
    for (int p = 1; p <= task.N; ++p) {
        const int q = pairing.SOU[p];
        if (q == 0) {
            ++unpaired;
            continue;
        }
        const int partner = std::abs(q);
        check(partner >= 1 && partner <= task.N && partner != p, "a partner outside the positions");
        check(pairing.SOU[partner] == (q > 0 ? -p : p), "a pair that is not mutual");
    }
    check(unpaired == task.N % 2, "more players without a partner than the bye");
}

// los reads the two player numbers of each line.
void checkPairingList(const Task& task, const Pairing& pairing) {
    const std::vector<std::string> lines = pairingListLines(task, pairing);
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    TextReader reader("los1.txt", text);
    std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
    StepEnd end = runStep([&] { pairs = readPairingList(reader); }, {106});
    check(!end.stopped && pairs.size() == lines.size(), "the pairing list does not read back", text);
    std::size_t line = 0;
    for (int p = 1; p <= task.N; ++p) {
        const int q = pairing.SOU[p];
        if (q != 0 && std::abs(q) < p) continue;
        const int starter = q >= 0 ? p : -q, second = q > 0 ? q : q < 0 ? p : 0;
        check(pairs[line].first == task.playerNumber[starter] &&
                  pairs[line].second == (second ? task.playerNumber[second] : 0),
              "a pairing-list line reads back otherwise", lines[line]);
        ++line;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Task task;
    static CostMatrices costs;
    static SearchWork work;
    TextReader reader(kTaskFileName, std::string(reinterpret_cast<const char*>(data), size));
    std::optional<std::string> overLimit;
    if (runStep([&] { overLimit = readTask(reader, task); }, {106, 201}).stopped || overLimit) return 0;
    check(task.N <= NMAX && task.KOL >= 0 && task.KOL <= kMaxOpponents, "a task beyond the capacities was taken");

    computeAROPR(task);
    Pairing pairing;
    pairing.N = task.N;
    chooseBye(task, pairing);
    if (task.KOL == 0) {
        RandomGenerator generator;
        generator.engine.seed(static_cast<std::uint32_t>(size));
        pairFirstRound(pairing, generator);
    } else {
        pairLaterRound(task, costs, work, pairing);
    }
    clearByeMarker(pairing);
    checkPairing(task, pairing);
    checkPairingList(task, pairing);
    if (task.KOL > 0) pairingCost(costs, pairing.SOU);
    return 0;
}
