// The weighted blossom algorithm (Edmonds' primal-dual method, O(n^3) over a dense edge table)
// finding the maximum-weight perfect matching of weights W + 1 - cost, that is the least cost.
#include "exact_matching.hpp"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <vector>

struct MatchingWork::Tables {
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

MatchingWork::MatchingWork() : tables_(std::make_unique<Tables>()) {}
MatchingWork::~MatchingWork() = default;

namespace {

using Tables = MatchingWork::Tables;
using Edge = Tables::Edge;

constexpr std::int8_t kUnlabelled = -1;
constexpr std::int8_t kOuter = 0;
constexpr std::int8_t kInner = 1;

// Costs stay below 2^50 units, the doubled weights below 2^52; the duals stay within a small
// multiple of those, far from the 2^63 limit.
constexpr double kMostUnits = 1125899906842624.0;

std::size_t at(int row, int column, int stride) { return static_cast<std::size_t>(row) * stride + column; }

// Tables of the blossoms run to 2n: there are never more than n blossoms at once.
int idStride(const Tables& m) { return 2 * m.n + 1; }

Edge& edge(Tables& m, int x, int y) { return m.edge[at(x, y, idStride(m))]; }
std::int16_t& holder(Tables& m, int b, int v) { return m.holder[at(b, v, m.n + 1)]; }

// The slack of an edge between two different outermost blossoms. Every dual starts even and
// the exposed vertices always move together, so the outer vertices share one parity and half
// the slack of an edge between two of them is whole: the algorithm never leaves the integers.
std::int64_t slack(const Tables& m, Edge e) {
    return m.dual[e.u] + m.dual[e.v] - 2 * m.weight[at(e.u, e.v, m.n + 1)];
}

constexpr std::int64_t kNoSlack = std::numeric_limits<std::int64_t>::max();

void forgetSlack(Tables& m, int x) {
    m.slackFrom[x] = 0;
    m.leastSlack[x] = kNoSlack;
}

// Keeps the edge from outer vertex u into x when its slack s is the least so far.
void noteSlack(Tables& m, int u, int x, std::int64_t s) {
    if (s < m.leastSlack[x]) {
        m.slackFrom[x] = static_cast<std::int16_t>(u);
        m.leastSlack[x] = s;
    }
}

void recomputeSlack(Tables& m, int x) {
    forgetSlack(m, x);
    for (int u = 1; u <= m.n; ++u) {
        const int outer = m.top[u];
        if (m.side[outer] != kOuter || outer == x) continue;
        const Edge e = edge(m, u, x);
        if (e.u != 0) noteSlack(m, u, x, slack(m, e));
    }
}

void enqueue(Tables& m, int x) {
    if (x <= m.n) m.queue.push_back(static_cast<std::int16_t>(x));
    else
        for (int member : m.members[x]) enqueue(m, member);
}

void setTop(Tables& m, int x, int b) {
    m.top[x] = static_cast<std::int16_t>(b);
    if (x > m.n)
        for (int member : m.members[x]) setTop(m, member, b);
}

// Turns the cycle of b so that its member xr is reached from the base by an even path;
// returns the length of that path.
int evenPathTo(Tables& m, int b, int xr) {
    auto& cycle = m.members[b];
    const int pr = static_cast<int>(std::find(cycle.begin(), cycle.end(), xr) - cycle.begin());
    if (pr % 2 == 0) return pr;
    std::reverse(cycle.begin() + 1, cycle.end());
    return static_cast<int>(cycle.size()) - pr;
}

// Matches x along its edge to y; inside a blossom the cycle is re-matched so that the vertex
// of that edge becomes the base.
void matchAlong(Tables& m, int x, int y) {
    const Edge e = edge(m, x, y);
    m.mate[x] = e.v;
    if (x <= m.n) return;
    const int xr = holder(m, x, e.u);
    const int pr = evenPathTo(m, x, xr);
    auto& cycle = m.members[x];
    for (int i = 0; i < pr; ++i) matchAlong(m, cycle[i], cycle[i ^ 1]);
    matchAlong(m, xr, y);
    std::rotate(cycle.begin(), cycle.begin() + pr, cycle.end());
}

// Flips the alternating path from outer blossom u (just joined to v) back to its root.
void augmentFrom(Tables& m, int u, int v) {
    for (;;) {
        const int inner = m.top[m.mate[u]];
        matchAlong(m, u, v);
        if (inner == 0) return;
        matchAlong(m, inner, m.top[m.parent[inner]]);
        u = m.top[m.parent[inner]];
        v = inner;
    }
}

// The base where the tree paths of outer blossoms u and v meet; 0 when they lie in different
// trees (an augmenting path).
int commonBase(Tables& m, int u, int v) {
    ++m.stamp;
    for (; u != 0 || v != 0; std::swap(u, v)) {
        if (u == 0) continue;
        if (m.visited[u] == m.stamp) return u;
        m.visited[u] = m.stamp;
        u = m.top[m.mate[u]];
        if (u != 0) u = m.top[m.parent[u]];
    }
    return 0;
}

int freeBlossomId(Tables& m) {
    int b = m.n + 1;
    while (b <= m.ids && m.top[b] != 0) ++b;
    if (b > m.ids) m.ids = b;
    return b;
}

// The cycle path from x up to the base: x, its mate, the next outer blossom, ...
void addCyclePath(Tables& m, std::vector<std::int16_t>& cycle, int x, int base) {
    while (x != base) {
        const int y = m.top[m.mate[x]];
        cycle.push_back(static_cast<std::int16_t>(x));
        cycle.push_back(static_cast<std::int16_t>(y));
        enqueue(m, y);  // the inner blossoms of the cycle become outer
        x = m.top[m.parent[y]];
    }
}

// The outer blossoms u and v, joined by a tight edge, close an odd cycle through base.
void addBlossom(Tables& m, int u, int base, int v) {
    const int b = freeBlossomId(m);
    m.dual[b] = 0;
    m.side[b] = kOuter;
    m.tree[b] = m.tree[base];
    m.mate[b] = m.mate[base];
    auto& cycle = m.members[b];
    cycle.assign(1, static_cast<std::int16_t>(base));
    addCyclePath(m, cycle, u, base);
    std::reverse(cycle.begin() + 1, cycle.end());
    addCyclePath(m, cycle, v, base);
    setTop(m, b, b);
    // The blossom's edge to every other blossom is its members' least-slack one.
    for (int x = 1; x <= m.ids; ++x) edge(m, b, x) = edge(m, x, b) = Edge{};
    for (int x = 1; x <= m.n; ++x) holder(m, b, x) = 0;
    auto& least = m.edgeSlack;
    for (int member : cycle) {
        for (int x = 1; x <= m.ids; ++x) {
            const Edge candidate = edge(m, member, x);
            if (candidate.u == 0) continue;
            const std::int64_t s = slack(m, candidate);
            if (edge(m, b, x).u == 0 || s < least[x]) {
                edge(m, b, x) = candidate;
                edge(m, x, b) = edge(m, x, member);
                least[x] = s;
            }
        }
        for (int x = 1; x <= m.n; ++x)
            if (holder(m, member, x) != 0) holder(m, b, x) = static_cast<std::int16_t>(member);
    }
    recomputeSlack(m, b);
}

// An inner blossom whose dual reached 0 falls apart: the even path from its tree edge to the
// base stays in the tree, the rest of the cycle becomes unlabelled.
void expandBlossom(Tables& m, int b) {
    auto& cycle = m.members[b];
    // The members' own labels are from before they joined b, perhaps in another tree.
    for (int member : cycle) {
        setTop(m, member, member);
        m.side[member] = kUnlabelled;
    }
    const int xr = holder(m, b, edge(m, b, m.parent[b]).u);
    const int pr = evenPathTo(m, b, xr);
    for (int i = 0; i < pr; i += 2) {
        const int inner = cycle[static_cast<std::size_t>(i)];
        const int outer = cycle[static_cast<std::size_t>(i) + 1];
        m.parent[inner] = edge(m, outer, inner).u;
        m.side[inner] = kInner;
        m.side[outer] = kOuter;
        m.tree[inner] = m.tree[outer] = m.tree[b];
        forgetSlack(m, inner);
        recomputeSlack(m, outer);
        enqueue(m, outer);
    }
    m.side[xr] = kInner;
    m.tree[xr] = m.tree[b];
    m.parent[xr] = m.parent[b];
    for (std::size_t i = static_cast<std::size_t>(pr) + 1; i < cycle.size(); ++i) {
        m.side[cycle[i]] = kUnlabelled;
        m.tree[cycle[i]] = 0;
        recomputeSlack(m, cycle[i]);
    }
    m.top[b] = 0;
}

// Trees r1 and r2, just joined by an augmenting path, are matched throughout now and leave
// the forest; the least slacks that came from them, and those of their blossoms, are found
// again among the outer vertices left. The other trees stay as they are.
void dissolveTrees(Tables& m, int r1, int r2) {
    auto& gone = m.gone;
    for (int x = 1; x <= m.ids; ++x) {
        gone[x] = m.top[x] == x && m.side[x] != kUnlabelled && (m.tree[x] == r1 || m.tree[x] == r2);
        if (!gone[x]) continue;
        m.side[x] = kUnlabelled;
        m.tree[x] = 0;
    }
    for (int x = 1; x <= m.ids; ++x)
        if (m.top[x] == x && m.side[x] != kInner && (gone[x] || (m.slackFrom[x] != 0 && gone[m.top[m.slackFrom[x]]])))
            recomputeSlack(m, x);
}

// A tight edge from an outer vertex: grows the tree, closes a blossom, or completes an
// augmenting path (true).
bool useTightEdge(Tables& m, Edge e) {
    const int u = m.top[e.u];
    const int v = m.top[e.v];
    if (m.side[v] == kUnlabelled) {
        m.parent[v] = e.u;
        m.side[v] = kInner;
        const int next = m.top[m.mate[v]];
        forgetSlack(m, v);
        forgetSlack(m, next);
        m.side[next] = kOuter;
        m.tree[v] = m.tree[next] = m.tree[u];
        enqueue(m, next);
    } else if (m.side[v] == kOuter) {
        const int base = commonBase(m, u, v);
        if (base == 0) {
            const int r1 = m.tree[u], r2 = m.tree[v];
            augmentFrom(m, u, v);
            augmentFrom(m, v, u);
            m.exposed -= 2;
            dissolveTrees(m, r1, r2);
            return true;
        }
        addBlossom(m, u, base, v);
    }
    return false;
}

// Scans the queued outer vertices along their edges: tight ones grow the forest, close
// blossoms or augment; the others give the least slacks.
void scanOuterVertices(Tables& m) {
    while (!m.queue.empty()) {
        const int u = m.queue.front();
        m.queue.pop_front();
        if (m.side[m.top[u]] != kOuter) continue;
        // Between two vertices the edge is the vertex pair itself.
        const std::int64_t* weight = &m.weight[at(u, 0, m.n + 1)];
        const std::int64_t* dual = m.dual.data();
        const std::int16_t* top = m.top.data();
        const std::int64_t base = dual[u];
        int own = top[u];
        for (int v = 1; v <= m.n; ++v) {
            const int x = top[v];
            if (x == own) continue;
            const std::int64_t s = base + dual[v] - 2 * weight[v];
            // Into a blossom the least of these is the slack of the blossom's edge from u.
            if (s != 0) {
                noteSlack(m, u, x, s);
            } else {
                // After an augmentation u is no longer outer; otherwise it may now lie in a new blossom.
                if (useTightEdge(m, Edge{static_cast<std::int16_t>(u), static_cast<std::int16_t>(v)})) break;
                own = top[u];
            }
        }
    }
}

// The largest dual change that keeps every edge's slack and every blossom's dual at 0 or more.
// A perfect matching leaves the vertex duals free, so they set no bound.
std::int64_t dualStep(Tables& m) {
    std::int64_t d = std::numeric_limits<std::int64_t>::max();
    for (int b = m.n + 1; b <= m.ids; ++b)
        if (m.top[b] == b && m.side[b] == kInner) d = std::min(d, m.dual[b] / 2);
    for (int x = 1; x <= m.ids; ++x) {
        if (m.top[x] != x || m.slackFrom[x] == 0) continue;
        if (m.side[x] == kUnlabelled) d = std::min(d, m.leastSlack[x]);
        else if (m.side[x] == kOuter) d = std::min(d, m.leastSlack[x] / 2);
    }
    return d;
}

void changeDuals(Tables& m, std::int64_t d) {
    for (int u = 1; u <= m.n; ++u) {
        const int side = m.side[m.top[u]];
        if (side == kOuter) m.dual[u] -= d;
        else if (side == kInner) m.dual[u] += d;
    }
    for (int b = m.n + 1; b <= m.ids; ++b) {
        if (m.top[b] != b) continue;
        if (m.side[b] == kOuter) m.dual[b] += 2 * d;
        else if (m.side[b] == kInner) m.dual[b] -= 2 * d;
    }
    // The kept least slacks: an edge from an outer vertex into an outer or unlabelled blossom.
    for (int x = 1; x <= m.ids; ++x) {
        if (m.top[x] != x || m.slackFrom[x] == 0) continue;
        if (m.side[x] == kUnlabelled) m.leastSlack[x] -= d;
        else if (m.side[x] == kOuter) m.leastSlack[x] -= 2 * d;
    }
}

// Grows a forest from every exposed vertex and changes the duals until every vertex is matched.
// An augmentation takes only its own two trees out of the forest.
void matchAll(Tables& m) {
    std::fill(m.side.begin() + 1, m.side.begin() + m.ids + 1, kUnlabelled);
    for (int x = 1; x <= m.ids; ++x) forgetSlack(m, x);
    m.queue.clear();
    m.exposed = 0;
    for (int x = 1; x <= m.ids; ++x)
        if (m.top[x] == x && m.mate[x] == 0) {
            m.parent[x] = 0;
            m.side[x] = kOuter;
            m.tree[x] = static_cast<std::int16_t>(x);
            ++m.exposed;
            enqueue(m, x);
        }
    for (;;) {
        scanOuterVertices(m);
        if (m.exposed == 0) return;
        const std::int64_t d = dualStep(m);
        // Two exposed vertices always have an edge between them; no step means a broken table.
        if (d == std::numeric_limits<std::int64_t>::max()) return;
        changeDuals(m, d);
        for (int x = 1; x <= m.ids; ++x)
            if (m.top[x] == x && m.slackFrom[x] != 0 && m.top[m.slackFrom[x]] != x && m.leastSlack[x] == 0)
                useTightEdge(m, edge(m, m.slackFrom[x], x));
        for (int b = m.n + 1; b <= m.ids; ++b)
            if (m.top[b] == b && m.side[b] == kInner && m.dual[b] == 0) expandBlossom(m, b);
    }
}

// The vertices are the paired positions in ascending order; weights from MINHB.
void prepare(Tables& m, const CostMatrices& costs, const Pairing& searched) {
    m.position.assign(1, 0);
    for (int p = 1; p <= searched.N; ++p)
        if (searched.SOU[p] != 0) m.position.push_back(static_cast<std::int16_t>(p));
    const int n = static_cast<int>(m.position.size()) - 1;
    m.n = n;
    m.ids = n;
    const int ids = idStride(m);
    // A blossom's rows of the edge and holder tables are written when it is made.
    m.weight.resize(static_cast<std::size_t>(n + 1) * (n + 1));
    m.edge.resize(static_cast<std::size_t>(ids) * ids);
    m.holder.resize(static_cast<std::size_t>(ids) * (n + 1));
    std::fill(m.holder.begin(), m.holder.begin() + static_cast<std::ptrdiff_t>(n + 1) * (n + 1), 0);
    m.members.resize(static_cast<std::size_t>(ids));
    for (auto& cycle : m.members) cycle.clear();
    m.dual.assign(static_cast<std::size_t>(ids), 0);
    m.mate.assign(static_cast<std::size_t>(ids), 0);
    m.top.assign(static_cast<std::size_t>(ids), 0);
    m.parent.assign(static_cast<std::size_t>(ids), 0);
    m.side.assign(static_cast<std::size_t>(ids), kUnlabelled);
    m.slackFrom.assign(static_cast<std::size_t>(ids), 0);
    m.leastSlack.assign(static_cast<std::size_t>(ids), 0);
    m.edgeSlack.assign(static_cast<std::size_t>(ids), 0);
    m.tree.assign(static_cast<std::size_t>(ids), 0);
    m.gone.assign(static_cast<std::size_t>(ids), 0);
    m.visited.assign(static_cast<std::size_t>(ids), 0);
    m.stamp = 0;

    double dearest = 0;
    for (int u = 1; u <= n; ++u)
        for (int v = u + 1; v <= n; ++v) {
            const double c = costs.row(costs.MINHB, m.position[u])[m.position[v]];
            if (std::isfinite(c) && c > dearest) dearest = c;
        }
    const double unitsPerCost = unitsPerCostFor(dearest);
    std::int64_t most = 0;
    for (int u = 1; u <= n; ++u) {
        m.top[u] = static_cast<std::int16_t>(u);
        holder(m, u, u) = static_cast<std::int16_t>(u);
        m.weight[at(u, u, n + 1)] = 0;
        const double* minhb = costs.row(costs.MINHB, m.position[u]);
        for (int v = u + 1; v <= n; ++v) {
            const std::int64_t units = costUnits(minhb[m.position[v]], unitsPerCost);
            m.weight[at(u, v, n + 1)] = m.weight[at(v, u, n + 1)] = units;
            most = std::max(most, units);
        }
        for (int v = 1; v <= n; ++v)
            edge(m, u, v) = Edge{static_cast<std::int16_t>(u == v ? 0 : u), static_cast<std::int16_t>(u == v ? 0 : v)};
    }
    // Maximised weights, doubled so that every dual can start even (see matchGreedily).
    for (int u = 1; u <= n; ++u)
        for (int v = 1; v <= n; ++v) m.weight[at(u, v, n + 1)] = 2 * (most + 1 - m.weight[at(u, v, n + 1)]);
}

// A head start: every vertex dual at its heaviest edge; then each vertex still unmatched, in
// turn, lowers its dual as far as the slacks allow and takes the first unmatched vertex it is
// then tight with. The duals stay even, so all exposed vertices share one parity.
void matchGreedily(Tables& m) {
    const int n = m.n;
    for (int u = 1; u <= n; ++u) {
        std::int64_t heaviest = std::numeric_limits<std::int64_t>::min();
        for (int v = 1; v <= n; ++v)
            if (v != u) heaviest = std::max(heaviest, m.weight[at(u, v, n + 1)]);
        m.dual[u] = heaviest;
    }
    for (int u = 1; u <= n; ++u) {
        if (m.mate[u] != 0) continue;
        std::int64_t lowest = std::numeric_limits<std::int64_t>::min();
        for (int v = 1; v <= n; ++v)
            if (v != u) lowest = std::max(lowest, 2 * m.weight[at(u, v, n + 1)] - m.dual[v]);
        m.dual[u] = lowest;
        for (int v = 1; v <= n; ++v)
            if (v != u && m.mate[v] == 0 && m.dual[u] + m.dual[v] == 2 * m.weight[at(u, v, n + 1)]) {
                m.mate[u] = static_cast<std::int16_t>(v);
                m.mate[v] = static_cast<std::int16_t>(u);
                break;
            }
    }
}

// p and q paired, the lower position starting unless its HB is larger than the other way.
void setPair(const CostMatrices& costs, Pairing& pairing, int p, int q) {
    const int low = std::min(p, q), high = std::max(p, q);
    const bool lowStarts = !(costs.row(costs.HB, low)[high] > costs.row(costs.HB, high)[low]);
    const int s = lowStarts ? low : high, t = lowStarts ? high : low;
    pairing.SOU[s] = static_cast<std::int16_t>(t);
    pairing.SOU[t] = static_cast<std::int16_t>(-s);
}

}  // namespace

double unitsPerCostFor(double dearest) {
    double unitsPerCost = 1e9;
    while (dearest * unitsPerCost > kMostUnits) unitsPerCost /= 10;
    return unitsPerCost;
}

std::int64_t costUnits(double cost, double unitsPerCost) {
    const double units = cost * unitsPerCost;
    // Not a number or beyond the range: the dearest there can be.
    if (!(units <= kMostUnits)) return static_cast<std::int64_t>(kMostUnits);
    return std::llround(units);
}

Pairing exactMatching(const CostMatrices& costs, const Pairing& searched, MatchingWork& scratch) {
    Tables& work = scratch.tables();
    prepare(work, costs, searched);
    matchGreedily(work);
    matchAll(work);
    Pairing exact = searched;
    for (int u = 1; u <= work.n; ++u)
        if (work.mate[u] == 0) return searched;  // cannot happen; never write half a pairing
    for (int u = 1; u <= work.n; ++u)
        if (work.mate[u] > u) setPair(costs, exact, work.position[u], work.position[work.mate[u]]);
    return exact;
}

int forbiddenPairs(const CostMatrices& costs, const Pairing& pairing) {
    int count = 0;
    for (int s = 1; s <= pairing.N; ++s)
        if (pairing.SOU[s] > 0 && costs.row(costs.HB, s)[pairing.SOU[s]] >= kForbidden) ++count;
    return count;
}
