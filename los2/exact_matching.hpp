// The exact matching: the least-cost perfect matching over MINHB of the positions a pairing
// has paired (everybody but the bye), by a weighted blossom algorithm over whole numbers.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "cost.hpp"
#include "search.hpp"

// Scratch tables of the blossom algorithm, sized once per call; kept by the caller between
// calls only for their memory.
struct MatchingWork {
    struct Edge {
        std::int16_t u = 0, v = 0;  // u inside the first blossom, v inside the second; u 0: none
    };
    std::int32_t n = 0;   // vertices 1..n: the positions to match, in ascending order
    std::int32_t ids = 0;  // highest vertex or blossom number in use (blossoms from n + 1)
    std::vector<std::int16_t> position;  // vertex -> position
    std::vector<std::int64_t> weight;    // [u][v], maximised: 2 (dearest cost + 1 - cost), in units
    std::vector<Edge> edge;              // [x][y]: the least-slack edge between two blossoms
    std::vector<std::int16_t> holder;    // [b][v]: the member of blossom b that holds vertex v
    std::vector<std::vector<std::int16_t>> members;  // of a blossom: its base first, then the cycle
    std::vector<std::int64_t> dual;      // of vertices and blossoms
    std::vector<std::int16_t> mate;      // the vertex at the other end of the matched edge
    std::vector<std::int16_t> top;       // the outermost blossom holding a vertex or blossom
    std::vector<std::int16_t> parent;    // an inner blossom's tree edge: the outer vertex
    std::vector<std::int8_t> side;       // -1 unlabelled, 0 outer, 1 inner
    std::vector<std::int16_t> tree;      // of a labelled blossom: its tree's root
    std::vector<std::int8_t> gone;       // scratch: blossoms of trees just augmented
    std::vector<std::int16_t> slackFrom;  // the outer vertex of the least-slack edge, 0 for none
    std::vector<std::int64_t> leastSlack;  // ... and its slack, kept as the duals change
    std::vector<std::int64_t> edgeSlack;   // scratch: the slack of each edge of a new blossom
    std::vector<std::int32_t> visited;
    std::int32_t stamp = 0;
    std::int32_t exposed = 0;  // vertices still unmatched
    std::deque<std::int16_t> queue;  // outer vertices still to scan
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
