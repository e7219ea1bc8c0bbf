#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

constexpr int kMaxCells = 5;

// A few cells kept in place, as a grid has hundreds of sets.
class FewCells {
public:
    void push_back(int cell) { at_[size_++] = cell; }
    const int* begin() const { return at_.data(); }
    const int* end() const { return at_.data() + size_; }

private:
    std::array<int, kMaxCells> at_{};
    int size_ = 0;
};

// An almost locked set: open cells of one unit holding one digit more than
// there are cells. Lose any one of its digits and the rest are locked there.
struct AlmostLockedSet {
    CellSet cells;
    FewCells list;  // the same cells, in the board's order
    int unit = 0;
    Mask digits = 0;
    std::array<CellSet, 10> holding{};    // its cells that hold each digit
    std::array<CellSet, 10> seenByAll{};  // the cells that see all of those

    Group AsGroup() const { return {{list.begin(), list.end()}, digits, unit}; }
};

// The restricted common digit x of two sets as one weak link between them:
// from the x of `a` to the x of `b` nearest to it on the board.
Link RestrictedLink(const AlmostLockedSet& a, const AlmostLockedSet& b, int x) {
    Link link{{-1, x}, {-1, x}, false};
    int nearest = 99;
    for (const int p : a.list) {
        if (!a.holding[x][p]) continue;
        for (const int q : b.list) {
            if (!b.holding[x][q]) continue;
            const CellPos pp = CellOfColumnMajor(p), qq = CellOfColumnMajor(q);
            const int distance = std::abs(pp.col - qq.col) + std::abs(pp.row - qq.row);
            if (distance >= nearest) continue;
            nearest = distance;
            link.from.cell = p;
            link.to.cell = q;
        }
    }
    return link;
}

// Whether the cells, found as a set in `unit`, are one in an earlier unit:
// a single cell in its row, a box's cells along a row or a column in that
// line, where the line has more open cells than the set.
bool FoundBefore(int unit, const std::vector<int>& cells, const std::array<int, kUnitCount>& open) {
    const int size = static_cast<int>(cells.size());
    auto along = [&](int (*lineOf)(int)) {
        for (const int cell : cells)
            if (lineOf(cell) != lineOf(cells.front())) return false;
        return open[lineOf(cells.front())] > size;
    };
    if (unit < 9) return false;
    if (unit < 18) return size == 1 && along(RowUnit);
    return along(RowUnit) || along(ColumnUnit);
}

// Every almost locked set of up to `maxCells` cells, each set of cells once,
// from the first unit (rows, columns, then boxes) it is one in.
std::vector<AlmostLockedSet> AlmostLockedSets(const Grid& grid, int maxCells) {
    std::vector<AlmostLockedSet> sets;
    sets.reserve(256);  // a hard grid's number, so that they are seldom moved
    std::array<int, kUnitCount> openCount{};
    for (int unit = 0; unit < kUnitCount; ++unit)
        for (const int cell : UnitCells(unit)) openCount[unit] += CountOf(grid.cells[cell]) > 1;
    std::vector<int> open, members;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        open.clear();
        for (const int cell : UnitCells(unit))
            if (CountOf(grid.cells[cell]) > 1) open.push_back(cell);
        const int n = static_cast<int>(open.size());
        // The digits of each subset from those of the subset less its
        // lowest cell, before the set is built: most subsets are not one.
        std::array<Mask, 512> digitsOf;  // each set before it is read
        digitsOf[0] = 0;
        for (unsigned subset = 1; subset < (1u << n); ++subset) {
            digitsOf[subset] =
                digitsOf[subset & (subset - 1)] | grid.cells[open[std::countr_zero(subset)]];
            const int size = CountOf(subset);
            if (size > maxCells || size >= n) continue;
            const Mask digits = digitsOf[subset];
            if (CountOf(digits) != size + 1) continue;
            members.clear();
            for (int i = 0; i < n; ++i)
                if (subset & (1u << i)) members.push_back(open[i]);
            if (FoundBefore(unit, members, openCount)) continue;
            AlmostLockedSet& set = sets.emplace_back();
            set.unit = unit;
            set.digits = digits;
            // A unit's cells are in the board's order.
            for (const int cell : members) {
                set.cells.set(cell);
                set.list.push_back(cell);
            }
            for (int d = 1; d <= 9; ++d) {
                if (!Holds(set.digits, d)) continue;
                set.seenByAll[d].set();
                for (const int cell : set.list) {
                    if (!Holds(grid.cells[cell], d)) continue;
                    set.holding[d].set(cell);
                    set.seenByAll[d] &= PeerSet(cell);
                }
            }
        }
    }
    return sets;
}

// The cells that hold each digit, found once for a search rather than for
// each pair of sets.
using Holding = std::array<CellSet, 10>;
Holding HoldingOf(const Grid& grid) {
    Holding holding;
    for (int d = 1; d <= 9; ++d) holding[d] = CellsHolding(grid, d);
    return holding;
}

// The cells outside both sets that hold z and see every z of both.
CellSet Targets(const Holding& holding, const AlmostLockedSet& a, const AlmostLockedSet& b, int z) {
    return holding[z] & a.seenByAll[z] & b.seenByAll[z] & ~a.cells & ~b.cells;
}

// Strikes each digit of `digits` from the cells outside a, b and `spared`
// that see all its places in both; returns the digits that struck anything.
Mask StrikeCommonDigits(const Holding& holding, const AlmostLockedSet& a, const AlmostLockedSet& b,
                        Mask digits, const CellSet& spared, Step& step) {
    Mask struck = 0;
    for (Mask m = digits; m; m &= static_cast<Mask>(m - 1)) {
        const int z = LowestDigit(m);
        const CellSet targets = Targets(holding, a, b, z) & ~spared;
        if (targets.none()) continue;  // the common case, without a list made
        const std::vector<Candidate> strikes = StrikesOf(targets, z);
        struck |= Bit(z);
        step.strikes.insert(step.strikes.end(), strikes.begin(), strikes.end());
    }
    return struck;
}

// Calls visit(cell) for each of the cells, in the board's order.
template <typename Visit>
void ForEachCellIn(const CellSet& cells, Visit visit) {
    const std::uint64_t low = (cells & CellSet(~std::uint64_t{0})).to_ullong();
    const std::uint64_t high = (cells >> 64).to_ullong();
    for (std::uint64_t w = low; w; w &= w - 1) visit(std::countr_zero(w));
    for (std::uint64_t w = high; w; w &= w - 1) visit(64 + std::countr_zero(w));
}

// The sets each set shares restricted common digits with, and those digits,
// by the other set's number: a digit whose places in one set all see those
// in the other, which shares no cell with it, so not both sets can hold it.
// That is so both ways, as seeing is. Such a set's places of the digit all
// lie among the cells that see every place of it in the first, so only the
// sets whose first place of the digit is one of those are compared, not
// every pair: hard grids have thousands of sets.
using SetLink = std::pair<int, Mask>;

// The links of every set, in one list: a grid has hundreds of sets.
class SetLinks {
public:
    struct Range {
        const SetLink* first;
        const SetLink* last;
        const SetLink* begin() const { return first; }
        const SetLink* end() const { return last; }
        std::size_t size() const { return static_cast<std::size_t>(last - first); }
        const SetLink& operator[](std::size_t i) const { return first[i]; }
    };
    void Add(SetLink link) { all_.push_back(link); }
    void EndSet() { ends_.push_back(all_.size()); }  // the set's links are added
    Range operator[](std::size_t set) const {
        const std::size_t from = set == 0 ? 0 : ends_[set - 1];
        return {all_.data() + from, all_.data() + ends_[set]};
    }

private:
    std::vector<SetLink> all_;
    std::vector<std::size_t> ends_;
};

// The numbers of the sets whose first place of a digit is a cell, by digit
// and cell, in one list.
class ByFirstPlace {
public:
    explicit ByFirstPlace(const std::vector<AlmostLockedSet>& sets) : starts_(10 * kCellCount + 1) {
        auto each = [&](auto visit) {
            for (int j = 0; j < static_cast<int>(sets.size()); ++j) {
                for (Mask m = sets[j].digits; m; m &= static_cast<Mask>(m - 1)) {
                    const int d = LowestDigit(m);
                    for (const int cell : sets[j].list) {
                        if (!sets[j].holding[d][cell]) continue;
                        visit(d * kCellCount + cell, j);
                        break;
                    }
                }
            }
        };
        each([&](int key, int) { ++starts_[key + 1]; });
        for (std::size_t k = 1; k < starts_.size(); ++k) starts_[k] += starts_[k - 1];
        sets_.resize(starts_.back());
        std::vector<int> next(starts_.begin(), starts_.end() - 1);
        each([&](int key, int j) { sets_[next[key]++] = j; });
    }
    template <typename Visit>
    void ForEach(int digit, int cell, Visit visit) const {
        const int key = digit * kCellCount + cell;
        for (int k = starts_[key]; k < starts_[key + 1]; ++k) visit(sets_[k]);
    }

private:
    std::vector<int> starts_;
    std::vector<int> sets_;
};

SetLinks LinksOf(const std::vector<AlmostLockedSet>& sets, const Holding& holding) {
    const int count = static_cast<int>(sets.size());
    const ByFirstPlace byFirstPlace(sets);
    SetLinks linked;
    std::vector<Mask> restricted(count, 0);
    std::vector<int> partners;
    for (int i = 0; i < count; ++i) {
        const AlmostLockedSet& a = sets[i];
        partners.clear();
        for (Mask m = a.digits; m; m &= static_cast<Mask>(m - 1)) {
            const int d = LowestDigit(m);
            ForEachCellIn(a.seenByAll[d] & holding[d], [&](int cell) {
                byFirstPlace.ForEach(d, cell, [&](int j) {
                    const AlmostLockedSet& b = sets[j];
                    if ((b.holding[d] & ~a.seenByAll[d]).any() || (a.cells & b.cells).any()) return;
                    if (!restricted[j]) partners.push_back(j);
                    restricted[j] |= Bit(d);
                });
            });
        }
        std::sort(partners.begin(), partners.end());
        for (const int j : partners) {
            linked.Add({j, restricted[j]});
            restricted[j] = 0;
        }
        linked.EndSet();
    }
    return linked;
}

}  // namespace

// The sets of up to five cells, where each digit is, and how the sets link.
struct AlsNetwork {
    std::vector<AlmostLockedSet> sets;
    Holding holding;
    SetLinks linked;
};

namespace {

// The grid's network: the one its scratch keeps, else made now (and kept
// there when there is a scratch).
std::shared_ptr<const AlsNetwork> NetworkOf(const Grid& grid, StepFinder& finder) {
    if (finder.scratch && finder.scratch->als) return finder.scratch->als;
    auto network = std::make_shared<AlsNetwork>();
    network->sets = AlmostLockedSets(grid, kMaxCells);
    network->holding = HoldingOf(grid);
    network->linked = LinksOf(network->sets, network->holding);
    if (finder.scratch) finder.scratch->als = network;
    return network;
}

}  // namespace

// Two almost locked sets with a restricted common digit x: one of them loses
// x and is locked, so another digit z common to both is in one of them and
// leaves every cell that sees all its places in both.
void FindAlsXz(const Grid& grid, StepFinder& finder) {
    const std::shared_ptr<const AlsNetwork> network = NetworkOf(grid, finder);
    const auto& [sets, holding, linked] = *network;
    std::vector<Step> found;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        for (const auto& [j, restricted] : linked[i]) {
            if (j < static_cast<int>(i)) continue;  // each pair once, as (i, j)
            const AlmostLockedSet &a = sets[i], &b = sets[j];
            const int x = LowestDigit(restricted);
            Step step{Technique::kAlsXz};
            const Mask zs = StrikeCommonDigits(
                holding, a, b, a.digits & b.digits & static_cast<Mask>(~Bit(x)), CellSet{}, step);
            if (step.strikes.empty()) continue;
            step.groups = {a.AsGroup(), b.AsGroup()};
            step.links = {RestrictedLink(a, b, x)};
            step.digits = static_cast<Mask>(Bit(x) | zs);
            found.push_back(std::move(step));
        }
    }
    AddSimplestFirst(found, finder);
}

// Sets A and B each share a restricted common digit with a third set C, x
// with A and y with B: C cannot lose both, so A loses x or B loses y and is
// locked; a digit z common to A and B, not x nor y, is then in one of them.
void FindAlsXyWings(const Grid& grid, StepFinder& finder) {
    const std::shared_ptr<const AlsNetwork> network = NetworkOf(grid, finder);
    const auto& [sets, holding, linked] = *network;
    std::vector<Step> found;
    for (std::size_t c = 0; c < sets.size(); ++c) {
        const auto& links = linked[c];
        for (std::size_t p = 0; p < links.size(); ++p) {
            for (std::size_t q = p + 1; q < links.size(); ++q) {
                const AlmostLockedSet &a = sets[links[p].first], &b = sets[links[q].first];
                if ((a.cells & b.cells).any()) continue;
                for (Mask mx = links[p].second; mx; mx &= static_cast<Mask>(mx - 1)) {
                    for (Mask my = links[q].second; my; my &= static_cast<Mask>(my - 1)) {
                        const int x = LowestDigit(mx), y = LowestDigit(my);
                        if (x == y) continue;
                        Step step{Technique::kAlsXyWing};
                        const Mask zs = StrikeCommonDigits(
                            holding, a, b,
                            a.digits & b.digits & static_cast<Mask>(~Bit(x) & ~Bit(y)),
                            sets[c].cells, step);
                        if (step.strikes.empty()) continue;
                        // In the order of the chain: the first, the middle, the last.
                        step.groups = {a.AsGroup(), sets[c].AsGroup(), b.AsGroup()};
                        step.links = {RestrictedLink(a, sets[c], x), RestrictedLink(sets[c], b, y)};
                        step.digits = static_cast<Mask>(Bit(x) | Bit(y) | zs);
                        found.push_back(std::move(step));
                    }
                }
            }
        }
    }
    AddSimplestFirst(found, finder);
}

namespace {

// Chains of up to this many sets: longer ones are left to the forcing chains.
constexpr int kMaxChainSets = 6;

// A chain's set and the digit it loses to the set before it, as one number.
int ChainState(int set, int digit) { return 10 * set + digit; }

// Whether a digit of both ends, neither link's at the ends, has a cell
// outside both that sees all its places in them: a quick look before the
// chain is followed back.
bool MayStrike(const Holding& holding, const AlmostLockedSet& a, const AlmostLockedSet& b,
               int firstLink, int lastLink) {
    const Mask zs = a.digits & b.digits & static_cast<Mask>(~Bit(firstLink) & ~Bit(lastLink));
    for (Mask m = zs; m; m &= static_cast<Mask>(m - 1)) {
        const int z = LowestDigit(m);
        if ((holding[z] & a.seenByAll[z] & b.seenByAll[z] & ~a.cells & ~b.cells).any()) return true;
    }
    return false;
}

// The chain from `first` to `state` and its strikes, if it strikes any.
void AddChainTo(const Holding& holding, const std::vector<AlmostLockedSet>& sets, int first,
                int state, const std::vector<int>& parent, std::vector<Step>& found) {
    std::vector<int> path, lost;
    for (int s = state; s >= 0; s = parent[s]) {
        path.push_back(s / 10);
        lost.push_back(s % 10);
    }
    path.push_back(first);
    lost.push_back(0);
    std::reverse(path.begin(), path.end());
    std::reverse(lost.begin(), lost.end());
    // A set met twice makes a chain no simpler to follow.
    std::vector<int> sorted = path;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) return;
    CellSet chainCells;
    for (const int p : path) chainCells |= sets[p].cells;
    const AlmostLockedSet &a = sets[first], &b = sets[path.back()];
    const Mask zs = a.digits & b.digits & static_cast<Mask>(~Bit(lost[1]) & ~Bit(lost.back()));
    for (Mask m = zs; m; m &= static_cast<Mask>(m - 1)) {
        const int z = LowestDigit(m);
        Step step{Technique::kAlsChain};
        StrikeCommonDigits(holding, a, b, Bit(z), chainCells, step);
        if (step.strikes.empty()) continue;
        step.digits = Bit(z);
        for (std::size_t i = 0; i < path.size(); ++i) {
            step.groups.push_back(sets[path[i]].AsGroup());
            if (i > 0) {
                step.links.push_back(RestrictedLink(sets[path[i - 1]], sets[path[i]], lost[i]));
                step.digits |= Bit(lost[i]);
            }
        }
        found.push_back(std::move(step));
    }
}

}  // namespace

// Sets joined one to the next by restricted common digits, never the same
// digit twice in a row: were z in a cell seeing every z of the first and
// the last set, the first would lose z and be locked, so it holds its link's
// digit, which the second loses, so that it is locked and holds its next
// link's digit, and so on to the last, which then holds z as well.
void FindAlsChains(const Grid& grid, StepFinder& finder) {
    const std::shared_ptr<const AlsNetwork> network = NetworkOf(grid, finder);
    const auto& [sets, holding, linked] = *network;
    const int count = static_cast<int>(sets.size());
    std::vector<int> parent(10 * count), depth(10 * count), firstLink(10 * count);
    std::vector<int> seenBy(10 * count, -1), queue;
    std::vector<Step> found;
    // For a hint, chains no longer than the shortest found so far.
    int longest = kMaxChainSets;
    for (int first = 0; first < count; ++first) {
        // A first set none of whose digits some cell outside sees all of
        // starts no chain that strikes.
        bool seen = false;
        for (Mask m = sets[first].digits; m && !seen; m &= static_cast<Mask>(m - 1)) {
            const int z = LowestDigit(m);
            seen = (holding[z] & sets[first].seenByAll[z] & ~sets[first].cells).any();
        }
        if (!seen) continue;
        queue.clear();
        for (const auto& [next, digits] : linked[first]) {
            for (Mask m = digits; m; m &= static_cast<Mask>(m - 1)) {
                const int state = ChainState(next, LowestDigit(m));
                seenBy[state] = first;
                parent[state] = -1;
                depth[state] = 2;
                firstLink[state] = state % 10;
                queue.push_back(state);
            }
        }
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const int state = queue[i], set = state / 10, in = state % 10;
            // Two sets are ALS-XZ, found before. Three are an ALS-XY-wing,
            // found before too, but kept: the search reaches each set and
            // digit once, by its shortest chain.
            if (set != first && depth[state] >= 3 &&
                MayStrike(holding, sets[first], sets[set], firstLink[state], in)) {
                const std::size_t before = found.size();
                AddChainTo(holding, sets, first, state, parent, found);
                if (!finder.all && found.size() > before) longest = depth[state];
            }
            if (depth[state] >= longest) continue;
            for (const auto& [next, digits] : linked[set]) {
                for (Mask m = digits & static_cast<Mask>(~Bit(in)); m;
                     m &= static_cast<Mask>(m - 1)) {
                    const int nextState = ChainState(next, LowestDigit(m));
                    if (next == first || seenBy[nextState] == first) continue;
                    seenBy[nextState] = first;
                    parent[nextState] = state;
                    depth[nextState] = depth[state] + 1;
                    firstLink[nextState] = firstLink[state];
                    queue.push_back(nextState);
                }
            }
        }
    }
    AddSimplestFirst(found, finder);
}

}  // namespace quillet::solving
