// The search in its plain form: one heap row per player, every pass and every scan
// recomputed from the matrices. The tests and the benchmark hold the fast search to it.
#pragma once

#include "search.hpp"

// A later round: HB, greedy start, MINHB and the improvement loop, step by literal step.
// Returns the final cost; the bye must have been chosen.
double pairLaterRoundPlain(const Task& task, Pairing& pairing, SearchTrace* trace = nullptr);
