// The exact matching: the least-cost perfect matching over MINHB of the positions a pairing
// has paired (everybody but the bye), by a weighted blossom algorithm over whole numbers.
#pragma once

#include <cstdint>
#include <memory>

#include "cost.hpp"
#include "search.hpp"

// Scratch tables of the blossom algorithm, laid out in exact_matching.cpp and sized once per
// call; kept by the caller between calls only for their memory.
class MatchingWork {
public:
    struct Tables;
    MatchingWork();
    ~MatchingWork();
    MatchingWork(const MatchingWork&) = delete;
    MatchingWork& operator=(const MatchingWork&) = delete;
    Tables& tables() { return *tables_; }

private:
    std::unique_ptr<Tables> tables_;
};

// Costs in whole units of 1e-9 (a coarser power of ten only when the dearest pair would not
// fit), so that sums do not depend on their order.
std::int64_t costUnits(double cost, double unitsPerCost);
// Units per cost for the dearest cost of a field: 1e9, or less when that would not fit.
double unitsPerCostFor(double dearest);

// The positions `searched` pairs, re-paired by least total MINHB; the bye stays unpaired and
// the counters are kept. In each pair the lower position starts unless its HB is larger than
// the other direction's. Equal totals are decided by the algorithm's fixed order (positions
// ascending, the first of equal slacks kept), so the same task always gives the same pairing.
Pairing exactMatching(const CostMatrices& costs, const Pairing& searched, MatchingWork& work);

// Pairs whose written direction costs kForbidden or more (a repeat that was not avoided).
int forbiddenPairs(const CostMatrices& costs, const Pairing& pairing);
