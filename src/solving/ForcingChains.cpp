#include <array>
#include <bitset>
#include <memory>

#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

using NodeSet = std::bitset<kCandidateCount>;

// What supposing one candidate true implies through the links: a true
// candidate makes every candidate it sees false, a false one makes its strong
// partners true. Each consequence keeps the state it came from (2 * node + 1
// for a true node, 2 * node for a false one), so that its chain can be shown.
struct Consequences {
    NodeSet on, off;
    // `off` again, by cell: the digits each cell loses, to look for an
    // impossibility without testing every candidate.
    std::array<Mask, kCellCount> offDigits{};
    // By state, set only for the states reached (on and off say which): -1
    // for the supposition. Left unset otherwise, as most states are not.
    std::unique_ptr<int[]> from;
    const Grid* grid_ = nullptr;

    Consequences() = default;
    Consequences(const Grid& grid, const CandidateLinks& links, int node)
        : from(new int[2 * kCandidateCount]), grid_(&grid) {
        from[2 * node + 1] = -1;
        std::vector<int> queue{2 * node + 1};
        queue.reserve(64);
        on.set(node);
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const int state = queue[i];
            const int n = state / 2;
            if (state % 2 == 0) {
                for (const int next : links.strong[n]) {
                    if (on[next]) continue;
                    on.set(next);
                    from[2 * next + 1] = state;
                    queue.push_back(2 * next + 1);
                }
                continue;
            }
            const int cell = CellOfCandidate(n), digit = DigitOfCandidate(n);
            auto falsify = [&](int next) {
                if (off[next]) return;
                off.set(next);
                offDigits[CellOfCandidate(next)] |= Bit(DigitOfCandidate(next));
                from[2 * next] = state;
                queue.push_back(2 * next);
            };
            for (const int peer : Peers(cell))
                if (links.holding[digit][peer] && CountOf(grid.cells[peer]) > 1)
                    falsify(CandidateNode(peer, digit));
            for (int d = 1; d <= 9; ++d)
                if (d != digit && Holds(grid.cells[cell], d)) falsify(CandidateNode(cell, d));
        }
    }

    // The unit of `a` and `b` where the digit has those two places only.
    int SharedUnitHolding(int a, int b, int digit) const {
        for (const int unit : {RowUnit(a), ColumnUnit(a), BoxUnit(a)})
            for (const int c : UnitCells(unit))
                if (c == b && CountOf(PlacesOf(*grid_, unit, digit)) == 2) return unit;
        return SharedUnit(a, b);
    }

    // The chain from the supposition to `state`, link by link: "4 in column
    // 3, row 7 ⇒ 4 leaves column 3, row 9 ⇒ 6 in column 3, row 9 ⇒ ...".
    std::string ChainTo(int state) const {
        std::vector<int> states;
        for (int s = state; s >= 0; s = from[s]) states.push_back(s);
        std::string text;
        for (auto it = states.rbegin(); it != states.rend(); ++it) {
            const int n = *it / 2;
            if (!text.empty()) text += " ⇒ ";
            text += std::to_string(DigitOfCandidate(n)) + (*it % 2 ? " in " : " leaves ") +
                    CellName(CellOfCandidate(n));
            // A false candidate makes its strong partner true: say which link.
            if (*it % 2 == 0 || it == states.rbegin()) continue;
            const int before = *(it - 1) / 2;
            const int a = CellOfCandidate(before), b = CellOfCandidate(n);
            text += a == b ? " (the cell's other digit)"
                           : " (the other place in " +
                                 UnitName(SharedUnitHolding(a, b, DigitOfCandidate(n))) + ")";
        }
        return text;
    }
};

// Whether some cell would lose every candidate or some digit every place in
// a unit: the cells' candidates left as masks, so that most suppositions,
// which have no impossibility, are passed over without a search by units.
bool LosesAll(const Grid& grid, const Consequences& c) {
    std::array<Mask, kCellCount> left{};
    for (int cell = 0; cell < kCellCount; ++cell) {
        const Mask m = grid.cells[cell];
        if (CountOf(m) < 2) {
            left[cell] = m;  // a solved cell keeps its digit
            continue;
        }
        left[cell] = m & static_cast<Mask>(~c.offDigits[cell]);
        if (left[cell] == 0) return true;
    }
    for (int unit = 0; unit < kUnitCount; ++unit) {
        Mask open = 0, kept = 0;
        for (const int cell : UnitCells(unit)) {
            if (CountOf(grid.cells[cell]) > 1) open |= grid.cells[cell];
            kept |= left[cell];
        }
        if (open & ~kept) return true;
    }
    return false;
}

// Why the supposition cannot hold, with the chains that show it, or the empty
// text when nothing shows.
std::string Impossibility(const Grid& grid, const Consequences& c, std::string& chains) {
    if ((c.on & c.off).none() && !LosesAll(grid, c)) return {};
    auto chainsTo = [&](const std::vector<int>& states) {
        chains.clear();
        for (const int s : states) chains += (chains.empty() ? "" : "; ") + c.ChainTo(s);
    };
    const NodeSet both = c.on & c.off;
    if (both.any()) {
        for (int n = 0; n < kCandidateCount; ++n) {
            if (!both[n]) continue;
            chainsTo({2 * n + 1, 2 * n});
            return CandidateName(n) + " would be both true and false";
        }
    }
    for (int cell = 0; cell < kCellCount; ++cell) {
        const Mask m = grid.cells[cell];
        if (CountOf(m) < 2) continue;
        bool all = true;
        for (int d = 1; d <= 9 && all; ++d) all = !Holds(m, d) || c.off[CandidateNode(cell, d)];
        if (!all) continue;
        // The chains are spelt only for the impossibility found: most
        // suppositions have none.
        std::vector<int> states;
        for (int d = 1; d <= 9; ++d)
            if (Holds(m, d)) states.push_back(2 * CandidateNode(cell, d));
        chainsTo(states);
        return CellName(cell) + " would lose every candidate";
    }
    for (int unit = 0; unit < kUnitCount; ++unit) {
        for (int d = 1; d <= 9; ++d) {
            bool open = false, all = true;
            for (const int cell : UnitCells(unit)) {
                if (!Holds(grid.cells[cell], d)) continue;
                if (CountOf(grid.cells[cell]) == 1) {
                    all = false;
                    break;
                }
                open = true;
                all = all && c.off[CandidateNode(cell, d)];
            }
            if (!open || !all) continue;
            std::vector<int> states;
            for (const int cell : UnitCells(unit))
                if (Holds(grid.cells[cell], d)) states.push_back(2 * CandidateNode(cell, d));
            chainsTo(states);
            return UnitName(unit) + " would have no place left for " + std::to_string(d);
        }
    }
    return {};
}

// The candidates that every one of `premises`, supposed true, makes false,
// or true: the premises are all the possibilities of a cell or of a digit
// in a unit, so one of them holds.
// `what` spells the premises out, only when they agree on something.
template <typename What>
void Agreement(const Grid& grid, const std::vector<int>& premises,
               const std::vector<Consequences>& all, const What& what, StepFinder& finder) {
    NodeSet on, off;
    on.set();
    off.set();
    for (const int p : premises) {
        on &= all[p].on;
        off &= all[p].off;
    }
    // Most premises agree on nothing: their text is not spelt for them.
    if (on.none() && off.none()) return;
    std::string cases;
    for (std::size_t i = 0; i < premises.size(); ++i) {
        const char* joint = i == 0 ? "" : i + 1 == premises.size() ? " or " : ", ";
        cases += joint + CandidateName(premises[i]);
    }
    // Each case's chain to what they agree on.
    auto chains = [&](int state) {
        std::string text;
        for (std::size_t i = 0; i < premises.size(); ++i)
            text += " Case " + std::to_string(i + 1) + ": " + all[premises[i]].ChainTo(state) + ".";
        return text;
    };
    for (int n = 0; n < kCandidateCount && !finder.Done(); ++n) {
        if (on[n] && CountOf(grid.cells[CellOfCandidate(n)]) > 1) {
            finder.Add({Technique::kForcingChains,
                        CellOfCandidate(n),
                        DigitOfCandidate(n),
                        {},
                        "Forcing chains: " + what() + " (" + cases + ")." + chains(2 * n + 1) +
                            " Each makes " + CandidateName(n) + " true.",
                        {}});
            return;
        }
    }
    Step step{Technique::kForcingChains, -1, 0, {}, {}, {}};
    for (int n = 0; n < kCandidateCount; ++n)
        if (off[n]) step.strikes.push_back({CellOfCandidate(n), DigitOfCandidate(n)});
    if (step.strikes.empty()) return;
    // The chains of the first strike; the others follow alike.
    const Candidate& first = step.strikes.front();
    step.reason = "Forcing chains: " + what() + " (" + cases + ")." +
                  chains(2 * CandidateNode(first.cell, first.digit)) +
                  " Each makes the candidates struck here false" +
                  (step.strikes.size() > 1 ? " (shown for the first)." : ".");
    finder.Add(std::move(step));
}

}  // namespace

// Supposes each candidate true and follows the links: a supposition that
// ends in an impossibility is false; what all the possibilities of a cell,
// or of a digit in a unit, agree on is so.
void FindForcingChains(const Grid& grid, StepFinder& finder) {
    const CandidateLinks links(grid);
    // Only the candidates of open cells are supposed; each when first
    // needed, as the first impossibility may end the search.
    std::vector<Consequences> all(kCandidateCount);
    std::vector<char> followed(kCandidateCount, 0);
    auto follow = [&](int n) -> const Consequences& {
        if (followed[n]) return all[n];
        followed[n] = 1;
        const Mask m = grid.cells[CellOfCandidate(n)];
        if (!links.strong[n].empty() || (CountOf(m) > 1 && Holds(m, DigitOfCandidate(n))))
            all[n] = Consequences(grid, links, n);
        return all[n];
    };
    for (int n = 0; n < kCandidateCount && !finder.Done(); ++n) {
        const Mask m = grid.cells[CellOfCandidate(n)];
        if (!Holds(m, DigitOfCandidate(n)) || CountOf(m) < 2) continue;
        std::string chains;
        const std::string why = Impossibility(grid, follow(n), chains);
        if (why.empty()) continue;
        finder.Add({Technique::kForcingChains,
                    -1,
                    0,
                    {{CellOfCandidate(n), DigitOfCandidate(n)}},
                    "Forcing chains: if " + CandidateName(n) + " were true: " + chains + "; so " +
                        why + ".",
                    {}});
    }
    if (finder.Done()) return;
    for (int n = 0; n < kCandidateCount; ++n) follow(n);
    for (int cell = 0; cell < kCellCount && !finder.Done(); ++cell) {
        const Mask m = grid.cells[cell];
        if (CountOf(m) < 2) continue;
        std::vector<int> premises;
        for (int d = 1; d <= 9; ++d)
            if (Holds(m, d)) premises.push_back(CandidateNode(cell, d));
        Agreement(
            grid, premises, all, [&] { return CellName(cell) + " holds one of its digits"; },
            finder);
    }
    for (int unit = 0; unit < kUnitCount && !finder.Done(); ++unit) {
        for (int d = 1; d <= 9 && !finder.Done(); ++d) {
            std::vector<int> premises;
            for (const int cell : UnitCells(unit))
                if (Holds(grid.cells[cell], d)) premises.push_back(CandidateNode(cell, d));
            if (premises.size() < 2) continue;
            Agreement(
                grid, premises, all,
                [&] {
                    return std::to_string(d) + " goes in one of its places in " + UnitName(unit);
                },
                finder);
        }
    }
}

}  // namespace quillet::solving
