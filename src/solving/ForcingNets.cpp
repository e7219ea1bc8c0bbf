#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "solving/Propagation.h"
#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

// How a fact of a net follows from the facts before it.
enum class Rule {
    kSupposed,
    kCellTaken,     // a digit leaves a cell that another digit took
    kPeerTaken,     // a digit leaves the peers of the cell it went into
    kOnlyDigit,     // a cell left with one digit takes it
    kOnlyPlace,     // a digit left with one place in a unit goes there
    kLockedInLine,  // a digit confined to one line of a box leaves the rest of the line
    kLockedInBox,   // a digit confined to one box along a line leaves the rest of the box
    kNested,        // a digit whose placement there would contradict itself leaves a cell
};

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
    std::size_t size_ = 0;
};

class Net;

// The net inside a nested strike: the digit supposed in the cell, on the
// facts so far, and those of them that its contradiction rests on.
struct Nested {
    std::shared_ptr<const Net> net;
    std::vector<int> outerParents;
};

struct Fact {
    bool placed = false;  // placed in the cell, or struck from it
    int cell = 0;
    int digit = 0;
    Rule rule = Rule::kSupposed;
    int unit = -1;  // the unit of an only place or of a lock
    Parents parents;
    std::shared_ptr<const Nested> nested;  // for kNested
};

template <typename Visit>
void ForEachParent(const Fact& fact, Visit visit) {
    for (const int p : fact.parents) visit(p);
    if (fact.nested)
        for (const int p : fact.nested->outerParents) visit(p);
}

// The lines that cross each box, in the order its cells meet them.
const std::array<std::vector<int>, 9>& LinesOfBoxes() {
    static const auto kLines = [] {
        std::array<std::vector<int>, 9> lines;
        for (int box = 18; box < 27; ++box)
            for (const int c : UnitCells(box))
                for (const int line : {RowUnit(c), ColumnUnit(c)})
                    if (std::find(lines[box - 18].begin(), lines[box - 18].end(), line) ==
                        lines[box - 18].end())
                        lines[box - 18].push_back(line);
        return lines;
    }();
    return kLines;
}

// "Forcing net", to begin a sentence.
std::string Title(Technique technique) {
    std::string name = TechniqueName(technique);
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    return name;
}

std::string FactName(const Fact& f) {
    return std::to_string(f.digit) + (f.placed ? " in " : " leaves ") + CellName(f.cell);
}

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
        facts_.reserve(256);
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

    bool Contradicts() const { return !why_.empty(); }
    // The net this one is nested in, and how many of its first facts are
    // that net's.
    const Net* Outer() const { return outer_; }
    std::size_t Known() const { return known_; }
    const std::string& Why() const { return why_; }
    const std::vector<int>& WhyParents() const { return whyParents_; }
    const std::vector<Fact>& Facts() const { return facts_; }
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
            Fail(CellName(cell) + " would hold two digits",
                 {static_cast<int>(facts_.size()) - 1, struck >= 0 ? struck : placedFact_[cell]});
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
            Fail(std::to_string(digit) + " would be both in and out of " + CellName(cell),
                 {placedFact_[cell], index});
            return;
        }
        queue_.push_back(index);
    }

    void Fail(std::string why, const Parents& parents) {
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
        const Fact f = facts_[index];
        if (f.placed) {
            for (int d = 1; d <= 9; ++d)
                if (d != f.digit) Strike(f.cell, d, Rule::kCellTaken, -1, {index});
            for (const int peer : Peers(f.cell))
                Strike(peer, f.digit, Rule::kPeerTaken, -1, {index});
            return;
        }
        const Mask left = cur_.cells[f.cell];
        if (left == 0) {
            Parents parents;
            for (int d = 1; d <= 9; ++d)
                if (Holds(base_.cells[f.cell], d)) parents.push_back(StruckFact(f.cell, d));
            Fail(CellName(f.cell) + " would lose every candidate", parents);
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
                std::string name = UnitName(unit);
                if (IsBox(unit)) name[0] = 'T';
                Fail(name + " would have no place left for " + std::to_string(f.digit),
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

    // The first candidate, in the cells' order, whose placement contradicts
    // itself: struck, with the net that shows it. One at a time, so that
    // the simpler rules go first again.
    bool StrikeNested() {
        const Planes& planes = planes_;
        for (int c = 0; c < kCellCount; ++c) {
            if (taken_[c] != 0) continue;
            for (int d = 1; d <= 9; ++d) {
                if (!Holds(cur_.cells[c], d) || fast_->Survives(planes, c, d, nesting_ - 1))
                    continue;
                auto nested = std::make_shared<Nested>();
                auto inner = std::make_shared<const Net>(*this, c, d);
                if (!inner->Contradicts()) continue;  // not shown the same way: left out
                nested->net = inner;
                for (const int f : Closure(*inner, inner->WhyParents(), inner->Known()))
                    for (const int p : ParentsOf(*inner, f))
                        if (p < static_cast<int>(inner->Known())) Add(nested->outerParents, p);
                for (const int p : inner->WhyParents())
                    if (p < static_cast<int>(inner->Known())) Add(nested->outerParents, p);
                Strike(c, d, Rule::kNested, -1, {});
                facts_.back().nested = std::move(nested);
                return true;
            }
        }
        return false;
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
    std::vector<Fact> facts_;
    std::size_t known_ = 0;
    std::vector<int> queue_;
    std::size_t next_ = 0;
    std::string why_;
    std::vector<int> whyParents_;
};

std::string Paragraph(const Net& net, const std::vector<int>& facts);

// A contradiction, said to begin a sentence, inside one.
std::string MidSentence(std::string why) {
    if (why.rfind("The ", 0) == 0) why[0] = 't';
    return why;
}

std::string Because(const Net& net, const Fact& f) {
    const auto& facts = net.Facts();
    switch (f.rule) {
        case Rule::kSupposed:
            if (net.Outer()) return "supposed inside";
            return f.placed ? "supposed" : "supposed not";
        case Rule::kCellTaken: return "the cell holds " + std::to_string(facts[f.parents[0]].digit);
        case Rule::kPeerTaken: return "it is in " + CellName(facts[f.parents[0]].cell);
        case Rule::kOnlyDigit: return "the cell's only digit left";
        case Rule::kOnlyPlace: return "its only place left in " + UnitName(f.unit);
        case Rule::kLockedInLine: return "in " + UnitName(f.unit) + " it is confined to this line";
        case Rule::kLockedInBox: return "in " + UnitName(f.unit) + " it is confined to this box";
        case Rule::kNested: {
            const Net& inner = *f.nested->net;
            return "if it were in the cell: " +
                   Paragraph(inner, Closure(inner, inner.WhyParents(), inner.Known())) + "; then " +
                   MidSentence(inner.Why());
        }
    }
    return {};
}

std::vector<int> Closure(const Net& net, const std::vector<int>& roots, std::size_t from) {
    std::vector<char> seen(net.Facts().size(), 0);
    std::vector<int> facts;
    std::vector<int> stack(roots.begin(), roots.end());
    while (!stack.empty()) {
        const int f = stack.back();
        stack.pop_back();
        if (f < static_cast<int>(from) || seen[f]) continue;
        seen[f] = 1;
        facts.push_back(f);
        ForEachParent(net.Facts()[f], [&](int p) { stack.push_back(p); });
    }
    std::sort(facts.begin(), facts.end());
    return facts;
}

// One paragraph: the facts in order, each with its reason.
std::string Paragraph(const Net& net, const std::vector<int>& facts) {
    std::string text;
    for (const int f : facts) {
        const Fact& fact = net.Facts()[f];
        if (!text.empty()) text += " ⇒ ";
        text += FactName(fact) + " (" + Because(net, fact) + ")";
    }
    return text;
}

using Shown = std::set<std::pair<const Net*, int>>;

// An indented tree: each fact over what it rests on, a fact met before
// named only; a nested strike over the net that shows it, whose facts from
// outside are those of the net it is nested in.
void Tree(const Net& net, int f, int depth, Shown& shown, std::string& out) {
    if (net.Outer() && f < static_cast<int>(net.Known())) {
        Tree(*net.Outer(), f, depth, shown, out);
        return;
    }
    const Fact& fact = net.Facts()[f];
    out += std::string(2 * depth, ' ') + FactName(fact);
    if (!shown.insert({&net, f}).second) {
        out += " (see above)\n";
        return;
    }
    if (fact.nested) {
        const Net& inner = *fact.nested->net;
        out += " (if it were in the cell, " + MidSentence(inner.Why()) + ", since)\n";
        for (const int p : inner.WhyParents()) Tree(inner, p, depth + 1, shown, out);
        return;
    }
    out += " (" + Because(net, fact) + ")\n";
    for (const int p : fact.parents) Tree(net, p, depth + 1, shown, out);
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
