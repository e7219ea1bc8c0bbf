#include <algorithm>
#include <functional>
#include <memory>

#include "solving/Net.h"

namespace quillet::solving {

namespace {

using namespace nets;

// "Forcing net", to begin a sentence.
std::string Title(Technique technique) {
    std::string name = TechniqueName(technique);
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

// A step found, by the length of its explanation, spelt out when taken.
struct Found {
    std::size_t size = 0;
    std::function<Step()> step;
};

constexpr long kNestedBudget = 2'000'000;

// The outcome of one supposition as the fast propagation finds it.
struct Outcome {
    bool computed = false;
    bool present = false;  // a candidate of an open cell
    bool holds = false;    // no contradiction
    Planes planes;
};

class NetFinder {
public:
    NetFinder(const Grid& grid, Technique technique, bool locked, int nesting)
        : grid_(grid),
          technique_(technique),
          locked_(locked),
          nesting_(nesting),
          propagation_(grid, locked) {}

    void Contradictions(std::vector<Found>& found) const {
        for (int n = 0; n < kCandidateCount; ++n)
            for (const bool supposedOn : {true, false}) Contradiction(n, supposedOn, found);
    }

    // The supposition's step when it contradicts itself.
    void Contradiction(int n, bool supposedOn, std::vector<Found>& found) const {
        const Outcome& o = Fast(n, supposedOn);
        if (!o.present || o.holds) return;
        const Net* net = Recorded(n, supposedOn);
        if (!net->Contradicts()) return;
        const std::vector<int> facts = Closure(*net, net->WhyParents());
        const int cell = CellOfCandidate(n), digit = DigitOfCandidate(n);
        // Spelt out only if taken: most are not.
        found.push_back({facts.size(), [=, this] {
                             Step step;
                             step.technique = technique_;
                             if (supposedOn)
                                 step.strikes.push_back({cell, digit});
                             else
                                 step.placeCell = cell, step.placeDigit = digit;
                             step.reason = Title(technique_) + ": if " + std::to_string(digit) +
                                           (supposedOn ? " were in " : " were not in ") +
                                           CellName(cell) + ": " + Paragraph(*net, facts) +
                                           "; then " + net->Why() + ".";
                             Shown shown;
                             step.tree = net->Why() + ", since\n";
                             for (const int p : net->WhyParents())
                                 Tree(*net, p, 1, shown, step.tree);
                             return step;
                         }});
    }

    // What every one of the suppositions implies.
    void Agreement(const std::vector<std::pair<int, bool>>& cases, const std::string& what,
                   std::vector<Found>& found) const {
        if (!Agree(cases)) return;
        std::vector<const Net*> nets;
        for (const auto& [n, on] : cases) nets.push_back(Recorded(n, on));
        const Net& first = *nets.front();
        for (const Fact& fact : first.Facts()) {
            if (fact.rule == Rule::kSupposed) continue;
            std::vector<int> roots;
            for (const Net* net : nets) {
                const int f = fact.placed ? net->PlacedFact(fact.cell, fact.digit)
                                          : net->StruckFact(fact.cell, fact.digit);
                if (f < 0) break;
                roots.push_back(f);
            }
            if (roots.size() != nets.size()) continue;
            std::size_t size = 0;
            for (std::size_t i = 0; i < nets.size(); ++i)
                size += Closure(*nets[i], {roots[i]}).size();
            found.push_back({size, [=, this, &fact] {
                                 Step step;
                                 step.technique = technique_;
                                 if (fact.placed)
                                     step.placeCell = fact.cell, step.placeDigit = fact.digit;
                                 else
                                     step.strikes.push_back({fact.cell, fact.digit});
                                 step.reason = Title(technique_) + ": " + what + ". ";
                                 for (std::size_t i = 0; i < nets.size(); ++i) {
                                     step.reason +=
                                         "Case " + std::to_string(i + 1) + ": " +
                                         Paragraph(*nets[i], Closure(*nets[i], {roots[i]})) + ". ";
                                     Shown shown;
                                     step.tree += "case " + std::to_string(i + 1) + ":\n";
                                     Tree(*nets[i], roots[i], 1, shown, step.tree);
                                 }
                                 step.reason += "Every case gives " + FactName(fact) + ".";
                                 return step;
                             }});
        }
    }

    void CellAgreement(int cell, std::vector<Found>& found) const {
        const Mask m = grid_.cells[cell];
        if (CountOf(m) < 2) return;
        std::vector<std::pair<int, bool>> cases;
        for (int d = 1; d <= 9; ++d)
            if (Holds(m, d)) cases.push_back({CandidateNode(cell, d), true});
        Agreement(cases, CellName(cell) + " holds one of " + DigitList(m), found);
    }

    void UnitAgreement(int unit, int d, std::vector<Found>& found) const {
        std::vector<std::pair<int, bool>> cases;
        std::vector<int> cells;
        for (const int c : UnitCells(unit)) {
            if (!Holds(grid_.cells[c], d)) continue;
            if (CountOf(grid_.cells[c]) == 1) return;  // solved there
            cases.push_back({CandidateNode(c, d), true});
            cells.push_back(c);
        }
        if (cases.size() < 2) return;
        Agreement(cases,
                  std::to_string(d) + " goes in one of its places in " + UnitName(unit) + ", " +
                      CellList(cells),
                  found);
    }

    void Agreements(std::vector<Found>& found) const {
        for (int cell = 0; cell < kCellCount; ++cell) CellAgreement(cell, found);
        for (int unit = 0; unit < kUnitCount; ++unit)
            for (int d = 1; d <= 9; ++d) UnitAgreement(unit, d, found);
        for (int n = 0; n < kCandidateCount; ++n) {
            if (!Fast(n, true).present) continue;
            Agreement({{n, true}, {n, false}},
                      std::to_string(DigitOfCandidate(n)) + " is in " +
                          CellName(CellOfCandidate(n)) + " or it is not",
                      found);
        }
    }

    // Nested nets cost the most: the suppositions most likely to bear go
    // first, each supposed true only, and the first group of them that
    // bears is taken.
    void FirstBearing(std::vector<Found>& found) const {
        std::vector<std::pair<int, int>> order;  // (places or digits left, candidate)
        for (int cell = 0; cell < kCellCount; ++cell) {
            const Mask m = grid_.cells[cell];
            if (CountOf(m) < 2) continue;
            for (int d = 1; d <= 9; ++d) {
                if (!Holds(m, d)) continue;
                int fewest = CountOf(m);
                for (const int unit : {RowUnit(cell), ColumnUnit(cell), BoxUnit(cell)})
                    fewest = std::min(fewest, CountOf(PlacesOf(grid_, unit, d)));
                order.push_back({fewest, CandidateNode(cell, d)});
            }
        }
        std::stable_sort(order.begin(), order.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [fewest, n] : order) {
            if (budget_ <= 0) return;
            Contradiction(n, true, found);
            const int cell = CellOfCandidate(n), d = DigitOfCandidate(n);
            if (Complete(grid_.cells[cell], {cell})) CellAgreement(cell, found);
            for (const int unit : {RowUnit(cell), ColumnUnit(cell), BoxUnit(cell)}) {
                std::vector<int> places;
                for (const int c : UnitCells(unit))
                    if (Holds(grid_.cells[c], d)) places.push_back(c);
                if (Complete(Bit(d), places)) UnitAgreement(unit, d, found);
            }
            if (!found.empty()) return;
        }
    }

private:
    // Whether the digits of `digits` in each of `cells` have been supposed.
    bool Complete(Mask digits, const std::vector<int>& cells) const {
        for (const int c : cells)
            for (int d = 1; d <= 9; ++d)
                if (Holds(digits, d) && Holds(grid_.cells[c], d) &&
                    !onFast_[CandidateNode(c, d)].computed)
                    return false;
        return true;
    }

    // Whether every case holds and they share a placement or a strike.
    bool Agree(const std::vector<std::pair<int, bool>>& cases) const {
        const Planes& base = propagation_.Base();
        Planes common;
        for (std::size_t i = 0; i < cases.size(); ++i) {
            const Outcome& o = Fast(cases[i].first, cases[i].second);
            if (!o.present || !o.holds) return false;
            for (int d = 0; d < 9; ++d) {
                const CellBits placed = o.planes.placed[d].Without(base.placed[d]);
                const CellBits struck = base.holding[d].Without(o.planes.holding[d]);
                common.placed[d] = i == 0 ? placed : common.placed[d] & placed;
                common.holding[d] = i == 0 ? struck : common.holding[d] & struck;
            }
        }
        for (int d = 0; d < 9; ++d)
            if (!common.placed[d].Empty() || !common.holding[d].Empty()) return true;
        return false;
    }

    // The supposition followed on the bit planes, once.
    const Outcome& Fast(int n, bool on) const {
        Outcome& o = (on ? onFast_ : offFast_)[n];
        if (o.computed) return o;
        o.computed = true;
        const int cell = CellOfCandidate(n), d = DigitOfCandidate(n);
        if (CountOf(grid_.cells[cell]) < 2 || !Holds(grid_.cells[cell], d)) return o;
        o.present = true;
        o.planes = propagation_.Base();
        o.holds = propagation_.Suppose(o.planes, on, cell, d) &&
                  (nesting_ == 0 || propagation_.FollowNested(o.planes, nesting_, &budget_));
        return o;
    }

    // The supposition derived again fact by fact, once.
    const Net* Recorded(int n, bool on) const {
        auto& net = (on ? on_ : off_)[n];
        if (!net)
            net = std::make_unique<Net>(grid_, on, CellOfCandidate(n), DigitOfCandidate(n), locked_,
                                        nesting_, &propagation_);
        return net.get();
    }

    const Grid& grid_;
    Technique technique_;
    bool locked_;
    int nesting_;
    Propagation propagation_;
    // Placements tried by the nested search (each followed by the singles and
    // locks): enough for the hardest published puzzles, a bound for any grid.
    mutable long budget_ = kNestedBudget;
    mutable std::array<Outcome, kCandidateCount> onFast_, offFast_;
    mutable std::array<std::unique_ptr<Net>, kCandidateCount> on_, off_;
};

// The shortest explanation first.
void AddShortestFirst(std::vector<Found>& found, StepFinder& finder) {
    std::stable_sort(found.begin(), found.end(),
                     [](const Found& a, const Found& b) { return a.size < b.size; });
    for (Found& f : found) {
        finder.Add(f.step());
        if (finder.Done()) return;
    }
}

void FindNets(const Grid& grid, Technique technique, bool locked, StepFinder& finder) {
    const auto nets = std::make_unique<const NetFinder>(grid, technique, locked, 0);
    std::vector<Found> found;
    nets->Contradictions(found);
    nets->Agreements(found);
    AddShortestFirst(found, finder);
}

// Only the first bearing group of suppositions, even when every step is
// asked for: a full search would take minutes on the hardest puzzles.
void FindNestedNets(const Grid& grid, Technique technique, int nesting, StepFinder& finder) {
    const auto nets = std::make_unique<const NetFinder>(grid, technique, true, nesting);
    std::vector<Found> found;
    nets->FirstBearing(found);
    AddShortestFirst(found, finder);
}

}  // namespace

void FindForcingNets(const Grid& grid, StepFinder& finder) {
    FindNets(grid, Technique::kForcingNets, false, finder);
}

void FindLockedForcingNets(const Grid& grid, StepFinder& finder) {
    FindNets(grid, Technique::kLockedForcingNets, true, finder);
}

void FindNestedForcingNets(const Grid& grid, StepFinder& finder) {
    FindNestedNets(grid, Technique::kNestedForcingNets, 1, finder);
}

void FindTwiceNestedForcingNets(const Grid& grid, StepFinder& finder) {
    FindNestedNets(grid, Technique::kTwiceNestedForcingNets, 2, finder);
}

}  // namespace quillet::solving
