// VYRES: pairs the next round from zadani.txt and writes los<KOL+1>.txt in the current
// folder; the counters and the final cost go back to the driver.
#pragma once

#include <cstdint>

#include "console.hpp"

// How later rounds are paired: by the search, which the exact matching replaces only when
// the search kept a repeat that it avoids (the default); or by the exact matching always.
struct VyresOptions {
    bool exact = false;  // los --presne
};

// What the exact matching did, for the driver's report.
struct ExactMatchingReport {
    bool written = false;   // the exact matching, not the search's pairing, was written
    double searchCost = 0;  // the cost of the search's pairing (0 in the first round)
};

// KROKU: pair-phase passes; KROKU2: triple moves; CHYB: cost of the pairing written (0 in the
// first round).
void VYRES(std::int32_t& KROKU, std::int32_t& KROKU2, double& CHYB, const VyresOptions& options,
           ExactMatchingReport& report, Console& console = processConsole());
// The default run.
void VYRES(std::int32_t& KROKU, std::int32_t& KROKU2, double& CHYB, Console& console = processConsole());
