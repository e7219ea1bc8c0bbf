#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include "solving/Net.h"

namespace quillet::solving {

namespace {

using namespace nets;

// A step found, by the facts of its proof, made when taken.
struct Found {
    std::size_t size = 0;
    std::function<Step()> step;
};

// The facts of a net that some of its facts rest on, with those of the
// inner nets of its nested strikes: the size of their proof. Counted on
// marks kept from one count to the next, as a search counts thousands.
class FactCounter {
public:
    std::size_t FactsOf(const Net& net, const std::vector<int>& roots) {
        if (marks_.size() < net.Facts().size()) marks_.resize(net.Facts().size(), 0);
        ++stamp_;
        stack_.assign(roots.begin(), roots.end());
        std::size_t size = 0;
        while (!stack_.empty()) {
            const int f = stack_.back();
            stack_.pop_back();
            if (marks_[f] == stamp_) continue;
            marks_[f] = stamp_;
            const NetFact& fact = net.Facts()[f];
            size += 1 + (fact.nested ? fact.nested->weight : 0);
            ForEachParent(fact, [&](int p) { stack_.push_back(p); });
        }
        return size;
    }

private:
    std::vector<unsigned> marks_;
    unsigned stamp_ = 0;
    std::vector<int> stack_;
};

// The facts of nets derived fact by fact, each once, as a proof's facts:
// those of an inner net that are its outer net's are that net's.
class ProofOfNets {
public:
    explicit ProofOfNets(Proof& proof) : proof_(proof) {}

    // The derivation of the net's contradiction: its facts from `from` on
    // that the contradiction rests on. Into nets[into], or a new one.
    int Contradiction(const Net& net, std::size_t from = 0, int into = -1) {
        into = Slot(into);
        Derivation derivation = Facts(net, net.WhyParents(), from);
        derivation.fault = net.Why();
        for (const int p : net.WhyParents()) derivation.fault->facts.push_back(FactOf(net, p));
        proof_.nets[into] = std::move(derivation);
        return into;
    }

    // The derivation of a case that reaches the net's fact `root`.
    void Reaching(const Net& net, int root, int into) {
        Derivation derivation = Facts(net, {root}, 0);
        derivation.reached = FactOf(net, root);
        proof_.nets[Slot(into)] = std::move(derivation);
    }

private:
    int Slot(int into) {
        if (into >= 0) return into;
        proof_.nets.emplace_back();
        return static_cast<int>(proof_.nets.size()) - 1;
    }

    Derivation Facts(const Net& net, const std::vector<int>& roots, std::size_t from) {
        Derivation derivation;
        for (const int f : Closure(net, roots, from)) derivation.facts.push_back(FactOf(net, f));
        derivation.supposition = FactOf(net, static_cast<int>(from));
        return derivation;
    }

    int FactOf(const Net& of, int f) {
        const Net* net = &of;
        while (net->Outer() && f < static_cast<int>(net->Known())) net = net->Outer();
        if (const auto known = numbers_.find({net, f}); known != numbers_.end())
            return known->second;
        const NetFact& fact = net->Facts()[f];
        Fact made{{fact.cell, fact.digit}, fact.placed, fact.rule, fact.unit, {}, -1};
        for (const int p : fact.parents) made.parents.push_back(FactOf(*net, p));
        if (fact.nested) {
            for (const int p : fact.nested->outerParents) made.parents.push_back(FactOf(*net, p));
            const Net& inner = *fact.nested->net;
            made.nested = Contradiction(inner, inner.Known());
        }
        const int number = static_cast<int>(proof_.facts.size());
        proof_.facts.push_back(std::move(made));
        numbers_.emplace(std::pair{net, f}, number);
        return number;
    }

    Proof& proof_;
    std::map<std::pair<const Net*, int>, int> numbers_;
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
        const std::size_t facts = counter_.FactsOf(*net, net->WhyParents());
        const int cell = CellOfCandidate(n), digit = DigitOfCandidate(n);
        // Its proof made only if taken: most are not.
        found.push_back({facts, [=, this] {
                             Step step{technique_};
                             if (supposedOn)
                                 step.strikes.push_back({cell, digit});
                             else
                                 step.placeCell = cell, step.placeDigit = digit;
                             auto proof = std::make_shared<Proof>();
                             ProofOfNets(*proof).Contradiction(*net);
                             step.proof = std::move(proof);
                             step.cells = {cell};
                             step.held = {grid_.cells[cell]};
                             step.digits = Bit(digit);
                             return step;
                         }});
    }

    // What every one of the suppositions implies.
    void Agreement(const std::vector<std::pair<int, bool>>& cases, Proof::Premise premise, int unit,
                   std::vector<Found>& found) const {
        if (!Agree(cases)) return;
        std::vector<const Net*> nets;
        for (const auto& [n, on] : cases) nets.push_back(Recorded(n, on));
        const Net& first = *nets.front();
        for (const NetFact& fact : first.Facts()) {
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
                size += counter_.FactsOf(*nets[i], {roots[i]});
            found.push_back({size, [=, this, &fact] {
                                 Step step{technique_};
                                 if (fact.placed)
                                     step.placeCell = fact.cell, step.placeDigit = fact.digit;
                                 else
                                     step.strikes.push_back({fact.cell, fact.digit});
                                 auto proof = std::make_shared<Proof>();
                                 proof->premise = premise;
                                 proof->unit = unit;
                                 proof->cases = static_cast<int>(nets.size());
                                 proof->nets.resize(nets.size());
                                 ProofOfNets facts(*proof);
                                 for (std::size_t i = 0; i < nets.size(); ++i)
                                     facts.Reaching(*nets[i], roots[i], static_cast<int>(i));
                                 step.proof = std::move(proof);
                                 Premised(cases, premise, unit, step);
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
        Agreement(cases, Proof::Premise::kCellDigits, -1, found);
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
        Agreement(cases, Proof::Premise::kUnitPlaces, unit, found);
    }

    void Agreements(std::vector<Found>& found) const {
        for (int cell = 0; cell < kCellCount; ++cell) CellAgreement(cell, found);
        for (int unit = 0; unit < kUnitCount; ++unit)
            for (int d = 1; d <= 9; ++d) UnitAgreement(unit, d, found);
        for (int n = 0; n < kCandidateCount; ++n) {
            if (!Fast(n, true).present) continue;
            Agreement({{n, true}, {n, false}}, Proof::Premise::kTrueOrFalse, -1, found);
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
    // The pattern of a step whose cases are `cases`: the cells supposed and
    // what they held, the premise's unit and digits.
    void Premised(const std::vector<std::pair<int, bool>>& cases, Proof::Premise premise, int unit,
                  Step& step) const {
        for (const auto& [n, on] : cases) {
            const int cell = CellOfCandidate(n);
            step.digits |= Bit(DigitOfCandidate(n));
            if (std::find(step.cells.begin(), step.cells.end(), cell) != step.cells.end()) continue;
            step.cells.push_back(cell);
            step.held.push_back(grid_.cells[cell]);
        }
        if (premise == Proof::Premise::kUnitPlaces) step.units = {unit};
    }

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
    mutable FactCounter counter_;
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
