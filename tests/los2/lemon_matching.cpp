// Built as C++17: LEMON's maps call allocator members that C++20 removed. The least cost is
// the maximum weight of the negated costs.
#include "lemon_matching.hpp"

#include <lemon/full_graph.h>
#include <lemon/matching.h>

std::int64_t lemonLeastTotal(int n, const std::vector<std::int64_t>& costs) {
    lemon::FullGraph graph(n);
    lemon::FullGraph::EdgeMap<long long> weight(graph);
    for (lemon::FullGraph::EdgeIt e(graph); e != lemon::INVALID; ++e)
        weight[e] = -costs[static_cast<std::size_t>(graph.index(graph.u(e))) * n + graph.index(graph.v(e))];
    lemon::MaxWeightedPerfectMatching<lemon::FullGraph, lemon::FullGraph::EdgeMap<long long>> matching(graph, weight);
    if (!matching.run()) return -1;
    return -matching.matchingWeight();
}
