#include <algorithm>
#include <array>
#include <bitset>
#include <memory>
#include <optional>

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
    int* from = nullptr;

    // Follows the node supposed true, in place. `states`: room for 2 *
    // kCandidateCount states, the search's own; `queue`: room for the
    // search, kept from one supposition to the next.
    void Follow(const CandidateLinks& links, int node, int* states, std::vector<int>& queue) {
        from = states;
        from[2 * node + 1] = -1;
        queue.assign(1, 2 * node + 1);
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
            links.ForEachWeak(n, [&](int next) {
                if (off[next]) return;
                off.set(next);
                offDigits[CellOfCandidate(next)] |= Bit(DigitOfCandidate(next));
                from[2 * next] = state;
                queue.push_back(2 * next);
            });
        }
    }
};

// The chains of a case of forcing chains as a proof's facts, each state once.
class ChainFacts {
public:
    ChainFacts(const Grid& grid, const Consequences& c, Proof& proof)
        : grid_(grid), c_(c), proof_(proof) {}

    // The fact of the state, with those of the chain that leads to it.
    int FactOf(int state) {
        // A case shows a few chains of a few facts: looked up in a list.
        for (const auto& [made, number] : numbers_)
            if (made == state) return number;
        const int before = c_.from[state];
        const int node = state / 2;
        Fact fact;
        fact.candidate = {CellOfCandidate(node), DigitOfCandidate(node)};
        fact.placed = state % 2 == 1;
        if (before >= 0) {
            fact.parents = {FactOf(before)};
            const int a = CellOfCandidate(before / 2), b = fact.candidate.cell;
            if (fact.placed && a == b) {
                fact.rule = Rule::kOnlyDigit;  // the cell's other digit
            } else if (fact.placed) {
                fact.rule = Rule::kOnlyPlace;  // the digit's other place in a unit
                fact.unit = SharedUnitHolding(a, b, fact.candidate.digit);
            } else {
                fact.rule = a == b ? Rule::kCellTaken : Rule::kPeerTaken;
            }
        }
        const int number = static_cast<int>(proof_.facts.size());
        numbers_.push_back({state, number});
        proof_.facts.push_back(std::move(fact));
        facts_.push_back(number);
        return number;
    }

    // The facts made so far, in the order made.
    const std::vector<int>& Facts() const { return facts_; }

private:
    // The unit of `a` and `b` where the digit has those two places only.
    int SharedUnitHolding(int a, int b, int digit) const {
        for (const int unit : {RowUnit(a), ColumnUnit(a), BoxUnit(a)})
            for (const int c : UnitCells(unit))
                if (c == b && CountOf(PlacesOf(grid_, unit, digit)) == 2) return unit;
        return SharedUnit(a, b);
    }

    const Grid& grid_;
    const Consequences& c_;
    Proof& proof_;
    std::vector<std::pair<int, int>> numbers_;  // the states made, with their facts' numbers
    std::vector<int> facts_;
};

// Whether some cell would lose every candidate or some digit every place in
// a unit: the cells' candidates left as masks, so that most suppositions,
// which have no impossibility, are passed over without a search by units.
bool LosesAll(const Grid& grid, const std::array<Mask, kUnitCount>& open, const Consequences& c) {
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
        Mask kept = 0;
        for (const int cell : UnitCells(unit)) kept |= left[cell];
        if (open[unit] & ~kept) return true;
    }
    return false;
}

// Why the supposition cannot hold, its facts the states whose chains show
// it, or nothing.
// `open`: the digits of each unit's open cells.
std::optional<Fault> Impossibility(const Grid& grid, const std::array<Mask, kUnitCount>& open,
                                   const Consequences& c) {
    if ((c.on & c.off).none() && !LosesAll(grid, open, c)) return std::nullopt;
    const NodeSet both = c.on & c.off;
    if (both.any()) {
        for (int n = 0; n < kCandidateCount; ++n) {
            if (!both[n]) continue;
            Fault fault(Fault::Kind::kBothWays, CellOfCandidate(n), -1, DigitOfCandidate(n));
            fault.facts = {2 * n + 1, 2 * n};
            return fault;
        }
    }
    for (int cell = 0; cell < kCellCount; ++cell) {
        const Mask m = grid.cells[cell];
        if (CountOf(m) < 2) continue;
        bool all = true;
        for (int d = 1; d <= 9 && all; ++d) all = !Holds(m, d) || c.off[CandidateNode(cell, d)];
        if (!all) continue;
        Fault fault(Fault::Kind::kNoCandidate, cell);
        for (int d = 1; d <= 9; ++d)
            if (Holds(m, d)) fault.facts.push_back(2 * CandidateNode(cell, d));
        return fault;
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
            Fault fault(Fault::Kind::kNoPlace, -1, unit, d);
            for (const int cell : UnitCells(unit))
                if (Holds(grid.cells[cell], d)) fault.facts.push_back(2 * CandidateNode(cell, d));
            return fault;
        }
    }
    return std::nullopt;
}

// The step of a supposition that contradicts itself: the chains from it to
// the states of `fault`.
Step Contradicting(const Grid& grid, const Consequences& c, int n, Fault fault) {
    Step step{Technique::kForcingChains, -1, 0, {{CellOfCandidate(n), DigitOfCandidate(n)}}};
    auto proof = std::make_shared<Proof>();
    ChainFacts facts(grid, c, *proof);
    Derivation derivation;
    derivation.supposition = facts.FactOf(2 * n + 1);
    for (int& end : fault.facts) end = facts.FactOf(end);
    derivation.facts = facts.Facts();
    derivation.fault = std::move(fault);
    proof->nets = {std::move(derivation)};
    step.proof = std::move(proof);
    step.cells = {CellOfCandidate(n)};
    step.held = {grid.cells[step.cells[0]]};
    step.digits = Bit(DigitOfCandidate(n));
    return step;
}

// The candidates that every one of `premises`, supposed true, makes false,
// or true: the premises are all the possibilities of a cell or of a digit
// in a unit, so one of them holds. The proof shows each case's chain to the
// candidate placed, or to the first struck: the others follow alike.
void Agreement(const Grid& grid, const std::vector<int>& premises,
               const std::vector<Consequences>& all, Proof::Premise premise, int unit,
               StepFinder& finder) {
    NodeSet on, off;
    on.set();
    off.set();
    for (const int p : premises) {
        on &= all[p].on;
        off &= all[p].off;
    }
    // Most premises agree on nothing: passed over at once.
    if (on.none() && off.none()) return;
    auto proven = [&](Step step, int state) {
        auto proof = std::make_shared<Proof>();
        proof->premise = premise;
        proof->unit = unit;
        proof->cases = static_cast<int>(premises.size());
        for (const int p : premises) {
            ChainFacts facts(grid, all[p], *proof);
            Derivation derivation;
            derivation.supposition = facts.FactOf(2 * p + 1);
            derivation.reached = facts.FactOf(state);
            derivation.facts = facts.Facts();
            proof->nets.push_back(std::move(derivation));
            const int cell = CellOfCandidate(p);
            step.digits |= Bit(DigitOfCandidate(p));
            if (std::find(step.cells.begin(), step.cells.end(), cell) != step.cells.end()) continue;
            step.cells.push_back(cell);
            step.held.push_back(grid.cells[cell]);
        }
        if (premise == Proof::Premise::kUnitPlaces) step.units = {unit};
        step.proof = std::move(proof);
        finder.Add(std::move(step));
    };
    for (int n = 0; n < kCandidateCount && !finder.Done(); ++n) {
        if (on[n] && CountOf(grid.cells[CellOfCandidate(n)]) > 1) {
            proven({Technique::kForcingChains, CellOfCandidate(n), DigitOfCandidate(n)}, 2 * n + 1);
            return;
        }
    }
    Step step{Technique::kForcingChains};
    for (int n = 0; n < kCandidateCount; ++n)
        if (off[n]) step.strikes.push_back({CellOfCandidate(n), DigitOfCandidate(n)});
    if (step.strikes.empty()) return;
    const Candidate first = step.strikes.front();
    proven(std::move(step), 2 * CandidateNode(first.cell, first.digit));
}

// Supposes each candidate true and follows the links: a supposition that
// ends in an impossibility is false; what all the possibilities of a cell,
// or of a digit in a unit, agree on is so.
void FindAllForcingChains(const Grid& grid, StepFinder& finder) {
    const CandidateLinks links(grid);
    // Only the candidates of open cells are supposed; each when first
    // needed.
    std::vector<Consequences> all(kCandidateCount);
    // Where each supposition's consequences came from, in one block: left
    // unset but for the states each reaches.
    const std::unique_ptr<int[]> from(new int[std::size_t{2} * kCandidateCount * kCandidateCount]);
    std::vector<char> followed(kCandidateCount, 0);
    std::vector<int> queue;
    queue.reserve(2 * kCandidateCount);
    std::array<Mask, kUnitCount> open{};
    for (int unit = 0; unit < kUnitCount; ++unit)
        for (const int cell : UnitCells(unit))
            if (CountOf(grid.cells[cell]) > 1) open[unit] |= grid.cells[cell];
    auto follow = [&](int n) -> const Consequences& {
        if (followed[n]) return all[n];
        followed[n] = 1;
        const Mask m = grid.cells[CellOfCandidate(n)];
        if (!links.strong[n].empty() || (CountOf(m) > 1 && Holds(m, DigitOfCandidate(n))))
            all[n].Follow(links, n, from.get() + std::size_t{2} * kCandidateCount * n, queue);
        return all[n];
    };
    for (int n = 0; n < kCandidateCount && !finder.Done(); ++n) {
        const Mask m = grid.cells[CellOfCandidate(n)];
        if (!Holds(m, DigitOfCandidate(n)) || CountOf(m) < 2) continue;
        const Consequences& c = follow(n);
        std::optional<Fault> fault = Impossibility(grid, open, c);
        if (!fault) continue;
        finder.Add(Contradicting(grid, c, n, std::move(*fault)));
    }
    if (finder.Done()) return;
    for (int n = 0; n < kCandidateCount; ++n) follow(n);
    for (int cell = 0; cell < kCellCount && !finder.Done(); ++cell) {
        const Mask m = grid.cells[cell];
        if (CountOf(m) < 2) continue;
        std::vector<int> premises;
        for (int d = 1; d <= 9; ++d)
            if (Holds(m, d)) premises.push_back(CandidateNode(cell, d));
        Agreement(grid, premises, all, Proof::Premise::kCellDigits, -1, finder);
    }
    for (int unit = 0; unit < kUnitCount && !finder.Done(); ++unit) {
        for (int d = 1; d <= 9 && !finder.Done(); ++d) {
            std::vector<int> premises;
            for (const int cell : UnitCells(unit))
                if (Holds(grid.cells[cell], d)) premises.push_back(CandidateNode(cell, d));
            if (premises.size() < 2) continue;
            Agreement(grid, premises, all, Proof::Premise::kUnitPlaces, unit, finder);
        }
    }
}

}  // namespace

void FindForcingChains(const Grid& grid, StepFinder& finder) {
    // Every step, the lowest rated and shortest shown first.
    StepFinder every{true, {}, finder.scratch};
    FindAllForcingChains(grid, every);
    AddSimplestFirst(every.steps, finder);
}

}  // namespace quillet::solving
