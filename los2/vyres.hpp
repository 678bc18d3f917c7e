// VYRES: pairs the next round from zadani.txt and writes los<KOL+1>.txt in the current
// folder; the counters and the final cost go back to the driver.
#pragma once

#include <cstdint>

#include "console.hpp"

// KROKU: pair-phase passes; KROKU2: triple moves; KROKU3: always 0; CHYB: final cost
// (0 in the first round).
void VYRES(std::int32_t& KROKU, std::int32_t& KROKU2, std::int32_t& KROKU3, double& CHYB,
           Console& console = processConsole());
