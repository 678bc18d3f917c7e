// The order of work of the optimiser: read, score groups, bye, search, exact matching when
// it is due, pairing list, cost. Nothing else lives here.
#include "vyres.hpp"

#include <memory>

#include "cost.hpp"
#include "exact_matching.hpp"
#include "game_files.hpp"
#include "pairing_list.hpp"
#include "platform.hpp"
#include "random_seed.hpp"
#include "run_error.hpp"
#include "search.hpp"
#include "task_file.hpp"
#include "text_writer.hpp"

void VYRES(std::int32_t& KROKU, std::int32_t& KROKU2, double& CHYB, const VyresOptions& options,
           ExactMatchingReport& report, Console& console) {
    KROKU = 0;
    KROKU2 = 0;
    auto task = std::make_unique<Task>();
    TextReader reader = TextReader::openOrFail(kTaskFileName);
    if (auto overLimit = readTask(reader, *task)) {
        // The round cannot be paired: the task file has served its purpose.
        platform::removeFile(kTaskFileName);
        stopWithMessage(*overLimit, 1);
    }
    Pairing pairing;
    pairing.N = task->N;
    computeAROPR(*task);
    chooseBye(*task, pairing);
    // The tables keep only their memory from one call to the next: every call fills what it
    // reads, and fresh memory for them would cost more than the search itself.
    static CostMatrices costs;
    static SearchWork work;
    static MatchingWork matchingWork;
    report = ExactMatchingReport{};
    if (task->KOL == 0) {
        RandomGenerator generator;
        INITRANDOM(generator, console);
        pairFirstRound(pairing, generator);
    } else {
        pairLaterRound(*task, costs, work, pairing);
        report.searchCost = pairingCost(costs, pairing.SOU);
        // The default run keeps the search's pairing unless it holds a repeat that can be avoided.
        const int searchRepeats = forbiddenPairs(costs, pairing);
        if (options.exact || searchRepeats > 0) {
            const Pairing exact = exactMatching(costs, pairing, matchingWork);
            if (options.exact || forbiddenPairs(costs, exact) < searchRepeats) {
                pairing = exact;
                report.written = true;
            }
        }
    }
    clearByeMarker(pairing);

    TextWriter list(pairingListName(task->KOL + 1), FileLife::ThisRunOnly);
    for (const auto& line : pairingListLines(*task, pairing)) list.writeLine(line);
    list.close();

    KROKU = pairing.KROKU;
    KROKU2 = pairing.KROKU2;
    CHYB = task->KOL > 0 ? pairingCost(costs, pairing.SOU) : 0.0;
    writeLine(console, "Parovani bylo provedeno ");
}

void VYRES(std::int32_t& KROKU, std::int32_t& KROKU2, double& CHYB, Console& console) {
    ExactMatchingReport report;
    VYRES(KROKU, KROKU2, CHYB, VyresOptions{}, report, console);
}
