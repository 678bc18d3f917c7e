// LEMON's weighted perfect matching behind a plain interface, for holding the exact matching
// to a well-kept library. Tests only.
#pragma once

#include <cstdint>
#include <vector>

// The least total of a perfect matching of the vertices 0..n-1 under the symmetric costs
// (row after row, n by n); -1 when there is none.
std::int64_t lemonLeastTotal(int n, const std::vector<std::int64_t>& costs);
