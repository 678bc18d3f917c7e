// The steps of the improvement loop, shared by the search and its tests; not for callers
// outside the optimiser.
#pragma once

#include "search.hpp"

// Turns every pair whose other direction is strictly cheaper.
void directionStep(const CostMatrices& costs, Pairing& pairing, SearchTrace* trace);
// Best-gain re-pairings of two pairs, one per pass, until none gains enough.
void pairPhase(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace);
// Applies the first re-pairing of three pairs that lowers the cost; false when none does.
bool triplePhase(const CostMatrices& costs, Pairing& pairing, SearchWork& work, SearchTrace* trace);

// Lists the starters in position order into work.starters.
void listStarters(const Pairing& pairing, SearchWork& work);
