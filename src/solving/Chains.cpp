#include <algorithm>
#include <array>

#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

// A chain found from one start: its links' ends in order and what it strikes.
// For the chains of one digit the nodes are cells; otherwise candidates
// (CandidateNode).
struct Chain {
    std::vector<int> nodes;
    std::vector<Candidate> strikes;
    int placeNode = -1;  // a placement instead, for a chain that proves its start
};

// The most nodes a chain searched for may have. For a hint, once a chain is
// found, only chains that could rate as low are looked for: no more nodes,
// or one more for a chain that places (rated on fewer nodes than one that
// strikes).
struct Limit {
    int nodes;
    bool shrink;
    void Found(const Chain& chain) {
        const int longest = static_cast<int>(chain.nodes.size()) + (chain.placeNode < 0 ? 1 : 0);
        if (shrink) nodes = std::min(nodes, longest);
    }
};

// Fills in the step's pattern from the chain.
using Pattern = void (*)(const Grid&, const Chain&, Step&);

// The lowest rated and shortest chains first, so that a hint shows the
// simplest (the shortest chain is the lowest rated but for a placement,
// rated by fewer nodes than a strike).
void Emit(std::vector<Chain>& found, Technique technique, Pattern pattern, const Grid& grid,
          StepFinder& finder) {
    std::vector<Step> steps;
    for (Chain& chain : found) {
        const int cell = chain.placeNode < 0 ? -1 : CellOfCandidate(chain.placeNode);
        const int digit = chain.placeNode < 0 ? 0 : DigitOfCandidate(chain.placeNode);
        Step step{technique, cell, digit, std::move(chain.strikes)};
        pattern(grid, chain, step);
        steps.push_back(std::move(step));
    }
    AddSimplestFirst(steps, finder);
}

// Links between the nodes in turn, strong first, then weak, and so on.
template <typename CandidateOf>
void AlternatingLinks(const std::vector<int>& nodes, CandidateOf candidateOf, Step& step) {
    for (std::size_t i = 0; i + 1 < nodes.size(); ++i)
        step.links.push_back({candidateOf(nodes[i]), candidateOf(nodes[i + 1]), i % 2 == 0});
}

// The path of a breadth-first search back from `state` to its start, as the
// nodes of its states.
template <typename NodeOf>
std::vector<int> PathTo(const std::vector<int>& parent, int state, NodeOf nodeOf) {
    std::vector<int> nodes;
    for (;;) {
        nodes.push_back(nodeOf(state));
        if (parent[state] == state) break;
        state = parent[state];
    }
    std::reverse(nodes.begin(), nodes.end());
    return nodes;
}

// The node of a search state 2 * node + on.
int OnOffNode(int state) { return state / 2; }

// The other cell of each unit of `cell` where the digit has only two places.
Partners ConjugatesOf(const Grid& grid, int cell, int digit) {
    Partners partners;
    for (const int unit : {RowUnit(cell), ColumnUnit(cell), BoxUnit(cell)}) {
        const unsigned places = PlacesOf(grid, unit, digit);
        if (CountOf(places) != 2) continue;
        const int p = UnitCells(unit)[std::countr_zero(places)];
        const int q = UnitCells(unit)[31 - std::countl_zero(places)];
        partners.push_back(p == cell ? q : p);
    }
    return partners;
}

// The chain's cells, strongly linked first, on the one digit.
void XChainPattern(const Grid& grid, const Chain& chain, Step& step) {
    const int digit = step.strikes.front().digit;
    step.cells = chain.nodes;
    for (const int cell : step.cells) step.held.push_back(grid.cells[cell]);
    step.digits = Bit(digit);
    AlternatingLinks(
        chain.nodes,
        [digit](int cell) {
            return Candidate{cell, digit};
        },
        step);
}

// Follows "if this cell is not d, that one is" (a conjugate pair) and "if this
// cell is d, that one is not" (cells that see each other), from the start not
// being d. A cell reached after a conjugate pair is d unless the start is.
void XChainsOf(const Grid& grid, int digit, Limit& limit, std::vector<Chain>& found) {
    const CellSet holding = CellsHolding(grid, digit);
    std::array<Partners, kCellCount> strong;
    for (int cell = 0; cell < kCellCount; ++cell)
        if (holding[cell] && CountOf(grid.cells[cell]) > 1)
            strong[cell] = ConjugatesOf(grid, cell, digit);
    std::vector<int> parent(2 * kCellCount), depth(2 * kCellCount);
    for (int start = 0; start < kCellCount; ++start) {
        if (strong[start].empty()) continue;
        // State 2 * cell + on.
        std::fill(parent.begin(), parent.end(), -1);
        std::vector<int> queue{2 * start};
        parent[2 * start] = 2 * start;
        depth[2 * start] = 1;
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const int state = queue[i];
            const int cell = state / 2;
            if (depth[state] > limit.nodes) break;
            if (state % 2 == 1 && cell != start) {
                const CellSet seen = holding & PeerSet(start) & PeerSet(cell);
                if (seen.any()) {
                    found.push_back({PathTo(parent, state, OnOffNode), StrikesOf(seen, digit)});
                    limit.Found(found.back());
                    break;
                }
            }
            if (depth[state] >= limit.nodes) continue;
            auto visit = [&](int next) {
                if (parent[next] != -1) return;
                parent[next] = state;
                depth[next] = depth[state] + 1;
                queue.push_back(next);
            };
            if (state % 2 == 0) {
                for (const int next : strong[cell]) visit(2 * next + 1);
            } else {
                for (const int next : Peers(cell))
                    if (!strong[next].empty()) visit(2 * next);
            }
        }
    }
}

// The chain's cells; in each a strong link between its two digits, from the
// struck digit on, and a weak one to the next cell on the digit passed on.
void XYChainPattern(const Grid& grid, const Chain& chain, Step& step) {
    step.cells = chain.nodes;
    int incoming = step.strikes.front().digit;
    for (std::size_t i = 0; i < chain.nodes.size(); ++i) {
        const int cell = chain.nodes[i];
        step.held.push_back(grid.cells[cell]);
        step.digits |= grid.cells[cell];
        const int out = LowestDigit(grid.cells[cell] & static_cast<Mask>(~Bit(incoming)));
        step.links.push_back({{cell, incoming}, {cell, out}, true});
        if (i + 1 < chain.nodes.size())
            step.links.push_back({{cell, out}, {chain.nodes[i + 1], out}, false});
        incoming = out;
    }
}

// Cells of two candidates each seeing the next: if the start is not z it is
// its other digit, which the next cell then is not, so that cell is its other
// digit, and so on. A cell that must be z unless the start is ends the chain.
void XYChainsFrom(const Grid& grid, int start, int z, const CellSet& holdingZ, Limit& limit,
                  std::vector<int>& parent, std::vector<int>& depth, std::vector<Chain>& found) {
    // State CandidateNode(cell, d): the cell is d unless the start is z.
    std::fill(parent.begin(), parent.end(), -1);
    const int first =
        CandidateNode(start, LowestDigit(grid.cells[start] & static_cast<Mask>(~Bit(z))));
    std::vector<int> queue{first};
    parent[first] = first;
    depth[first] = 1;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const int state = queue[i];
        const int cell = CellOfCandidate(state);
        const int digit = DigitOfCandidate(state);
        if (depth[state] > limit.nodes) return;
        if (digit == z && cell != start) {
            const CellSet seen = holdingZ & PeerSet(start) & PeerSet(cell);
            if (seen.any()) {
                found.push_back({PathTo(parent, state, CellOfCandidate), StrikesOf(seen, z)});
                limit.Found(found.back());
                return;
            }
        }
        if (depth[state] >= limit.nodes) continue;
        for (const int next : Peers(cell)) {
            const Mask m = grid.cells[next];
            if (CountOf(m) != 2 || !Holds(m, digit)) continue;
            const int other = CandidateNode(next, LowestDigit(m & static_cast<Mask>(~Bit(digit))));
            if (parent[other] != -1) continue;
            parent[other] = state;
            depth[other] = depth[state] + 1;
            queue.push_back(other);
        }
    }
}

// The chain's candidates, strongly linked first; its cells in the order met.
void AlternatingPattern(const Grid& grid, const Chain& chain, Step& step) {
    for (const int node : chain.nodes) {
        const int cell = CellOfCandidate(node);
        step.digits |= Bit(DigitOfCandidate(node));
        if (std::find(step.cells.begin(), step.cells.end(), cell) != step.cells.end()) continue;
        step.cells.push_back(cell);
        step.held.push_back(grid.cells[cell]);
    }
    AlternatingLinks(
        chain.nodes,
        [](int node) {
            return Candidate{CellOfCandidate(node), DigitOfCandidate(node)};
        },
        step);
}

// What "the start or the end is true" strikes: the other digits of a cell
// that is both; the digit from cells seeing both ends; for two different
// digits in cells that see each other, each from the other's cell.
std::vector<Candidate> EitherStrikes(const Grid& grid, const std::array<CellSet, 10>& holding,
                                     int start, int end) {
    const int a = CellOfCandidate(start), b = CellOfCandidate(end);
    const int da = DigitOfCandidate(start), db = DigitOfCandidate(end);
    std::vector<Candidate> strikes;
    if (a == b) {
        for (int d = 1; d <= 9; ++d)
            if (d != da && d != db && Holds(grid.cells[a], d)) strikes.push_back({a, d});
    } else if (da == db) {
        const CellSet seen = holding[da] & PeerSet(a) & PeerSet(b);
        if (seen.any()) strikes = StrikesOf(seen, da);
    } else if (Sees(a, b)) {
        if (Holds(grid.cells[a], db)) strikes.push_back({a, db});
        if (Holds(grid.cells[b], da)) strikes.push_back({b, da});
    }
    return strikes;
}

// Chains of candidates mixing both kinds of strong link (a digit's only two
// places in a unit, a cell's only two digits) with both kinds of weak link
// (one digit in cells that see each other, two digits of one cell).
void AlternatingChains(const Grid& grid, Limit& limit, std::vector<Chain>& found) {
    const CandidateLinks links(grid);
    const auto& holding = links.holding;
    const auto& strong = links.strong;
    // State 2 * node + on, from the start supposed false: `on` means true
    // unless the start is. (Supposing a start true and finding it false is
    // left to the forcing chains, which try every supposition at once.)
    // Each search marks the states it reaches with its own number, so that
    // nothing needs clearing between the many searches.
    constexpr int kStates = 2 * kCandidateCount;
    std::vector<int> parent(kStates), depth(kStates), seenBy(kStates, -1), queue;
    queue.reserve(kStates);
    int searchNumber = 0;
    auto search = [&](int first) {
        const int start = first / 2;
        ++searchNumber;
        queue.assign(1, first);
        parent[first] = first;
        depth[first] = 1;
        seenBy[first] = searchNumber;
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const int state = queue[i];
            const int node = state / 2;
            if (depth[state] > limit.nodes) return;
            if (state % 2 == 1) {
                Chain chain{{}, {}, node == start ? start : -1};
                if (node != start) chain.strikes = EitherStrikes(grid, holding, start, node);
                if (chain.placeNode >= 0 || !chain.strikes.empty()) {
                    chain.nodes = PathTo(parent, state, OnOffNode);
                    found.push_back(std::move(chain));
                    limit.Found(found.back());
                    return;
                }
            }
            if (depth[state] >= limit.nodes) continue;
            auto visit = [&](int next) {
                if (seenBy[next] == searchNumber || strong[next / 2].empty()) return;
                seenBy[next] = searchNumber;
                parent[next] = state;
                depth[next] = depth[state] + 1;
                queue.push_back(next);
            };
            if (state % 2 == 0) {
                for (const int next : strong[node]) visit(2 * next + 1);
                continue;
            }
            links.ForEachWeak(node, [&](int next) { visit(2 * next); });
        }
    };
    for (int start = 0; start < kCandidateCount; ++start) {
        if (strong[start].empty()) continue;
        search(2 * start);
    }
}

// Every chain from every start, or for a hint only those that could be the
// lowest rated: once one is found the search goes no deeper than it.
template <typename Search>
void FindShortest(Technique technique, Pattern pattern, const Grid& grid, StepFinder& finder,
                  Search search) {
    Limit limit{2 * kCandidateCount, !finder.all};
    std::vector<Chain> found;
    search(limit, found);
    Emit(found, technique, pattern, grid, finder);
}

}  // namespace

CandidateLinks::CandidateLinks(const Grid& grid)
    : strong(kCandidateCount), weakFrom_(kCandidateCount + 1, 0) {
    for (int d = 1; d <= 9; ++d) holding[d] = CellsHolding(grid, d);
    for (int n = 0; n < kCandidateCount; ++n) {
        weakFrom_[n] = static_cast<int>(weak_.size());
        const int cell = CellOfCandidate(n), digit = DigitOfCandidate(n);
        if (CountOf(grid.cells[cell]) < 2 || !Holds(grid.cells[cell], digit)) continue;
        for (const int peer : Peers(cell))
            if (holding[digit][peer] && CountOf(grid.cells[peer]) > 1)
                weak_.push_back(CandidateNode(peer, digit));
        for (int d = 1; d <= 9; ++d)
            if (d != digit && Holds(grid.cells[cell], d)) weak_.push_back(CandidateNode(cell, d));
    }
    weakFrom_[kCandidateCount] = static_cast<int>(weak_.size());
    for (int cell = 0; cell < kCellCount; ++cell) {
        const Mask m = grid.cells[cell];
        if (CountOf(m) < 2) continue;
        for (int d = 1; d <= 9; ++d) {
            if (!Holds(m, d)) continue;
            Partners& links = strong[CandidateNode(cell, d)];
            for (const int partner : ConjugatesOf(grid, cell, d))
                links.push_back(CandidateNode(partner, d));
            if (CountOf(m) == 2)
                links.push_back(CandidateNode(cell, LowestDigit(m & static_cast<Mask>(~Bit(d)))));
        }
    }
}

void FindXChains(const Grid& grid, StepFinder& finder) {
    FindShortest(Technique::kXChain, XChainPattern, grid, finder,
                 [&](Limit& limit, std::vector<Chain>& found) {
                     for (int digit = 1; digit <= 9; ++digit) XChainsOf(grid, digit, limit, found);
                 });
}

void FindXYChains(const Grid& grid, StepFinder& finder) {
    std::vector<int> parent(kCandidateCount), depth(kCandidateCount);
    FindShortest(Technique::kXYChain, XYChainPattern, grid, finder,
                 [&](Limit& limit, std::vector<Chain>& found) {
                     for (int z = 1; z <= 9; ++z) {
                         const CellSet holdingZ = CellsHolding(grid, z);
                         for (int start = 0; start < kCellCount; ++start) {
                             const Mask m = grid.cells[start];
                             if (CountOf(m) == 2 && Holds(m, z))
                                 XYChainsFrom(grid, start, z, holdingZ, limit, parent, depth,
                                              found);
                         }
                     }
                 });
}

void FindAlternatingChains(const Grid& grid, StepFinder& finder) {
    FindShortest(
        Technique::kAlternatingChain, AlternatingPattern, grid, finder,
        [&](Limit& limit, std::vector<Chain>& found) { AlternatingChains(grid, limit, found); });
}

}  // namespace quillet::solving
