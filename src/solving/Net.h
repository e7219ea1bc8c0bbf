#pragma once

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "solving/Proof.h"
#include "solving/Propagation.h"
#include "solving/Techniques.h"

// The facts of a forcing net, each with the rule it follows and the facts
// it rests on. The nets' search finds its steps on bit planes; this derives
// again the nets of the steps it takes, for their proofs (solving/Proof.h).
namespace quillet::solving::nets {

// The facts a fact follows from: at most the nine places of a unit or the
// nine digits of a cell, kept in place since a net has many facts.
class Parents {
public:
    Parents() = default;
    Parents(std::initializer_list<int> list) {
        for (const int p : list) push_back(p);
    }
    void push_back(int p) { at_[size_++] = p; }
    bool empty() const { return size_ == 0; }
    std::size_t size() const { return size_; }
    int operator[](std::size_t i) const { return at_[i]; }
    const int* begin() const { return at_.data(); }
    const int* end() const { return at_.data() + size_; }

private:
    std::array<int, 9> at_{};
    std::uint8_t size_ = 0;
};

class Net;

// The net inside a nested strike: the digit supposed in the cell, on the
// facts so far, and those of them that its contradiction rests on.
struct Nested {
    std::shared_ptr<const Net> net;
    std::vector<int> outerParents;
    std::size_t weight = 0;  // its facts, with those of the nets inside it
};

struct NetFact {
    bool placed = false;  // placed in the cell, or struck from it
    int cell = 0;
    int digit = 0;
    Rule rule = Rule::kSupposed;
    int unit = -1;  // the unit of an only place or of a lock
    Parents parents;
    std::shared_ptr<const Nested> nested;  // for kNested
};

template <typename Visit>
void ForEachParent(const NetFact& fact, Visit visit) {
    for (const int p : fact.parents) visit(p);
    if (fact.nested)
        for (const int p : fact.nested->outerParents) visit(p);
}

// The lines that cross each box, in the order its cells meet them.
const std::array<std::vector<int>, 9>& LinesOfBoxes();

// The facts that `roots` rest on, in the order they were found, from the
// fact numbered `from` on.
std::vector<int> Closure(const Net& net, const std::vector<int>& roots, std::size_t from = 0);

// What one supposition implies, fact by fact, on a copy of the candidates:
// each placement strikes its digit from the peers and the cell's other
// digits; each strike may leave a cell one digit or a digit one place in a
// unit. `locked` adds locked candidates to those rules. With `nesting`,
// once those rules are done, a digit leaves a cell when supposing it there,
// on the facts so far, contradicts itself by a net of one nesting less
// (found on `fast`, then derived fact by fact too).
class Net {
public:
    Net(const Grid& grid, bool placed, int cell, int digit, bool locked, int nesting = 0,
        const Propagation* fast = nullptr)
        : base_(grid), cur_(grid), locked_(locked), nesting_(nesting), fast_(fast) {
        facts_.reserve(128);
        placedFact_.fill(-1);
        struckFact_.fill(-1);
        for (int c = 0; c < kCellCount; ++c) {
            for (int d = 1; d <= 9; ++d)
                if (Holds(grid.cells[c], d)) planes_.holding[d - 1] |= CellBits::Of(c);
            if (CountOf(grid.cells[c]) != 1) continue;
            taken_[c] = LowestDigit(grid.cells[c]);
            planes_.placed[taken_[c] - 1] |= CellBits::Of(c);
        }
        if (placed)
            Place(cell, digit, Rule::kSupposed, -1, {});
        else
            Strike(cell, digit, Rule::kSupposed, -1, {});
        Run();
    }

    // The digit supposed in the cell on the facts of `outer`, which this
    // net's first facts are.
    Net(const Net& outer, int cell, int digit)
        : base_(outer.base_),
          cur_(outer.cur_),
          planes_(outer.planes_),
          locked_(outer.locked_),
          nesting_(outer.nesting_ - 1),
          fast_(outer.fast_),
          outer_(&outer),
          taken_(outer.taken_),
          placedFact_(outer.placedFact_),
          struckFact_(outer.struckFact_),
          facts_(outer.facts_),
          known_(facts_.size()) {
        Place(cell, digit, Rule::kSupposed, -1, {});
        Run();
    }

    bool Contradicts() const { return contradicts_; }
    // The net this one is nested in, and how many of its first facts are
    // that net's.
    const Net* Outer() const { return outer_; }
    std::size_t Known() const { return known_; }
    // The contradiction (its facts left empty) and the facts it rests on.
    const Fault& Why() const { return why_; }
    const std::vector<int>& WhyParents() const { return whyParents_; }
    const std::vector<NetFact>& Facts() const { return facts_; }
    int PlacedFact(int cell, int digit) const {
        return taken_[cell] == digit ? placedFact_[cell] : -1;
    }
    int StruckFact(int cell, int digit) const { return struckFact_[CandidateNode(cell, digit)]; }

private:
    void Place(int cell, int digit, Rule rule, int unit, Parents parents) {
        if (Contradicts()) return;
        if (taken_[cell] == digit) return;
        const int struck = struckFact_[CandidateNode(cell, digit)];
        if (taken_[cell] != 0 || struck >= 0 || !Holds(base_.cells[cell], digit)) {
            facts_.push_back({true, cell, digit, rule, unit, std::move(parents), nullptr});
            const int placed = static_cast<int>(facts_.size()) - 1;
            // Struck before, the digit would be both in the cell and out of
            // it; else another digit took the cell.
            if (struck >= 0)
                Fail({Fault::Kind::kBothWays, cell, -1, digit}, {placed, struck});
            else
                Fail({Fault::Kind::kTwoDigits, cell}, {placed, placedFact_[cell]});
            return;
        }
        taken_[cell] = digit;
        planes_.placed[digit - 1] |= CellBits::Of(cell);
        placedFact_[cell] = static_cast<int>(facts_.size());
        facts_.push_back({true, cell, digit, rule, unit, std::move(parents), nullptr});
        queue_.push_back(placedFact_[cell]);
    }

    void Strike(int cell, int digit, Rule rule, int unit, Parents parents) {
        if (Contradicts() || !Holds(cur_.cells[cell], digit)) return;
        cur_.cells[cell] &= static_cast<Mask>(~Bit(digit));
        StrikeIn(planes_, cell, digit);
        const int index = static_cast<int>(facts_.size());
        struckFact_[CandidateNode(cell, digit)] = index;
        facts_.push_back({false, cell, digit, rule, unit, std::move(parents), nullptr});
        if (taken_[cell] == digit && placedFact_[cell] >= 0) {
            Fail({Fault::Kind::kBothWays, cell, -1, digit}, {placedFact_[cell], index});
            return;
        }
        queue_.push_back(index);
    }

    void Fail(Fault why, const Parents& parents) {
        contradicts_ = true;
        why_ = std::move(why);
        for (const int p : parents)
            if (p >= 0) whyParents_.push_back(p);
    }

    // The strikes of this net that took `digit` from the cells of `cells`
    // where the grid had it, but for `except`.
    template <typename Cells>
    Parents StrikesAmong(const Cells& cells, int digit, int except = -1) const {
        Parents parents;
        for (const int c : cells) {
            if (c == except || !Holds(base_.cells[c], digit)) continue;
            const int f = struckFact_[CandidateNode(c, digit)];
            if (f >= 0) parents.push_back(f);
        }
        return parents;
    }

    void Follow(int index) {
        // Its place only, not a copy of the whole fact with its parents and
        // nested net; a reference would not outlive the facts this one adds.
        struct {
            bool placed;
            int cell, digit;
        } const f{facts_[index].placed, facts_[index].cell, facts_[index].digit};
        if (f.placed) {
            // Only the candidates there are, in the order of the digits and
            // of the peers: striking one leaves the others as they were.
            const Mask others = cur_.cells[f.cell] & static_cast<Mask>(~Bit(f.digit));
            for (Mask m = others; m; m &= static_cast<Mask>(m - 1))
                Strike(f.cell, LowestDigit(m), Rule::kCellTaken, -1, {index});
            const CellBits peers = PeerBits(f.cell) & planes_.holding[f.digit - 1];
            for (std::uint64_t w = peers.low; w; w &= w - 1)
                Strike(std::countr_zero(w), f.digit, Rule::kPeerTaken, -1, {index});
            for (std::uint64_t w = peers.high; w; w &= w - 1)
                Strike(64 + std::countr_zero(w), f.digit, Rule::kPeerTaken, -1, {index});
            return;
        }
        const Mask left = cur_.cells[f.cell];
        if (left == 0) {
            Parents parents;
            for (int d = 1; d <= 9; ++d)
                if (Holds(base_.cells[f.cell], d)) parents.push_back(StruckFact(f.cell, d));
            Fail({Fault::Kind::kNoCandidate, f.cell}, parents);
            return;
        }
        if (CountOf(left) == 1 && taken_[f.cell] == 0) {
            Parents parents;
            for (int d = 1; d <= 9; ++d)
                if (Holds(base_.cells[f.cell], d) && !Holds(left, d))
                    parents.push_back(StruckFact(f.cell, d));
            Place(f.cell, LowestDigit(left), Rule::kOnlyDigit, -1, std::move(parents));
        }
        for (const int unit : {RowUnit(f.cell), ColumnUnit(f.cell), BoxUnit(f.cell)}) {
            const CellBits& cells = UnitBits(unit);
            if (!(planes_.placed[f.digit - 1] & cells).Empty()) continue;  // done
            const CellBits places = planes_.holding[f.digit - 1] & cells;
            if (places.Empty()) {
                Fail({Fault::Kind::kNoPlace, -1, unit, f.digit},
                     StrikesAmong(UnitCells(unit), f.digit));
                return;
            }
            if (places.One())
                Place(places.First(), f.digit, Rule::kOnlyPlace, unit,
                      StrikesAmong(UnitCells(unit), f.digit, places.First()));
        }
    }

    // Locked candidates on the net's candidates, one at a time.
    bool Lock() {
        for (int box = 18; box < 27; ++box) {
            const std::vector<int>& lines = LinesOfBoxes()[box - 18];
            for (int digit = 1; digit <= 9; ++digit)
                for (const int line : lines)
                    if (LockOne(box, line, digit) || LockOne(line, box, digit)) return true;
        }
        return false;
    }

    // When the digit's places in `within` all lie in `across`, it leaves the
    // cells of `across` outside `within`.
    bool LockOne(int within, int across, int digit) {
        const auto& in = UnitCells(within);
        const auto& other = UnitCells(across);
        auto inside = [](const std::array<int, 9>& cells, int c) {
            return std::find(cells.begin(), cells.end(), c) != cells.end();
        };
        int count = 0;
        for (const int c : in) {
            if (taken_[c] == digit) return false;
            if (!Holds(cur_.cells[c], digit)) continue;
            if (!inside(other, c)) return false;
            ++count;
        }
        if (count == 0) return false;
        bool any = false;
        for (const int c : other)
            any = any || (!inside(in, c) && taken_[c] == 0 && Holds(cur_.cells[c], digit));
        if (!any) return false;
        Parents parents;
        for (const int c : in)
            if (!inside(other, c) && Holds(base_.cells[c], digit))
                if (const int f = struckFact_[CandidateNode(c, digit)]; f >= 0)
                    parents.push_back(f);
        if (parents.empty()) return false;  // the grid's own lock, not this net's
        const Rule rule = IsBox(within) ? Rule::kLockedInLine : Rule::kLockedInBox;
        for (const int c : other)
            if (!inside(in, c) && taken_[c] == 0) Strike(c, digit, rule, within, parents);
        return true;
    }

    void Run() {
        for (;;) {
            while (next_ < queue_.size() && !Contradicts()) Follow(queue_[next_++]);
            if (Contradicts()) return;
            if (locked_ && Lock()) continue;
            if (nesting_ == 0 || !StrikeNested()) return;
        }
    }

    // Of the candidates whose placement contradicts itself, the one whose
    // net shows it in the fewest facts (the first in the cells' order of
    // those; when nested twice, the first of all): struck, with that net.
    // One at a time, so that the simpler rules go first again.
    bool StrikeNested() {
        std::shared_ptr<Nested> best;
        int bestCell = 0, bestDigit = 0;
        for (int c = 0; c < kCellCount; ++c) {
            if (taken_[c] != 0) continue;
            for (int d = 1; d <= 9; ++d) {
                if (!Holds(cur_.cells[c], d) || fast_->Survives(planes_, c, d, nesting_ - 1))
                    continue;
                auto inner = std::make_shared<const Net>(*this, c, d);
                if (!inner->Contradicts()) continue;  // not shown the same way: left out
                auto nested = std::make_shared<Nested>();
                nested->net = inner;
                const std::vector<int> facts = Closure(*inner, inner->WhyParents(), inner->Known());
                nested->weight = facts.size();
                for (const int f : facts) {
                    if (const auto& deeper = inner->Facts()[f].nested)
                        nested->weight += deeper->weight;
                    for (const int p : ParentsOf(*inner, f))
                        if (p < static_cast<int>(inner->Known())) Add(nested->outerParents, p);
                }
                for (const int p : inner->WhyParents())
                    if (p < static_cast<int>(inner->Known())) Add(nested->outerParents, p);
                if (best && best->weight <= nested->weight) continue;
                best = std::move(nested);
                bestCell = c, bestDigit = d;
                // Deeper nets are too dear to compare: the first is taken.
                if (nesting_ > 1) break;
            }
            if (best && nesting_ > 1) break;
        }
        if (!best) return false;
        Strike(bestCell, bestDigit, Rule::kNested, -1, {});
        facts_.back().nested = std::move(best);
        return true;
    }

    static void Add(std::vector<int>& list, int f) {
        if (std::find(list.begin(), list.end(), f) == list.end()) list.push_back(f);
    }
    static std::vector<int> ParentsOf(const Net& net, int f) {
        std::vector<int> parents;
        ForEachParent(net.Facts()[f], [&](int p) { parents.push_back(p); });
        return parents;
    }

    const Grid& base_;
    Grid cur_;
    Planes planes_;  // cur_ and taken_ as bit planes
    bool locked_;
    int nesting_ = 0;
    const Propagation* fast_ = nullptr;
    const Net* outer_ = nullptr;
    std::array<int, kCellCount> taken_{};  // the digit placed, 0 for none
    std::array<int, kCellCount> placedFact_{};
    std::array<int, kCandidateCount> struckFact_{};
    std::vector<NetFact> facts_;
    std::size_t known_ = 0;
    std::vector<int> queue_;
    std::size_t next_ = 0;
    bool contradicts_ = false;
    Fault why_;
    std::vector<int> whyParents_;
};

}  // namespace quillet::solving::nets
