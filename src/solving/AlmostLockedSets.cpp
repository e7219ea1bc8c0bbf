#include <algorithm>

#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

// An almost locked set: open cells of one unit holding one digit more than
// there are cells. Lose any one of its digits and the rest are locked there.
struct AlmostLockedSet {
    CellSet cells;
    std::vector<int> list;  // the same cells, in the board's order
    int unit = 0;
    Mask digits = 0;
    std::array<CellSet, 10> holding{};    // its cells that hold each digit
    std::array<CellSet, 10> seenByAll{};  // the cells that see all of those

    std::string Name() const {
        return CellList(list) + " (" + DigitList(digits) + ", in " + UnitName(unit) + ")";
    }
};

// Every almost locked set of up to `maxCells` cells, each set of cells once.
std::vector<AlmostLockedSet> AlmostLockedSets(const Grid& grid, int maxCells) {
    std::vector<AlmostLockedSet> sets;
    std::vector<CellSet> seen;
    for (int unit = 0; unit < kUnitCount; ++unit) {
        std::vector<int> open;
        for (const int cell : UnitCells(unit))
            if (CountOf(grid.cells[cell]) > 1) open.push_back(cell);
        const int n = static_cast<int>(open.size());
        for (unsigned subset = 1; subset < (1u << n); ++subset) {
            const int size = CountOf(subset);
            if (size > maxCells || size >= n) continue;
            AlmostLockedSet set;
            set.unit = unit;
            for (int i = 0; i < n; ++i) {
                if (!(subset & (1u << i))) continue;
                set.cells.set(open[i]);
                set.list.push_back(open[i]);
                set.digits |= grid.cells[open[i]];
            }
            if (CountOf(set.digits) != size + 1) continue;
            if (std::find(seen.begin(), seen.end(), set.cells) != seen.end()) continue;
            seen.push_back(set.cells);
            std::sort(set.list.begin(), set.list.end());
            for (int d = 1; d <= 9; ++d) {
                if (!Holds(set.digits, d)) continue;
                set.seenByAll[d].set();
                for (const int cell : set.list) {
                    if (!Holds(grid.cells[cell], d)) continue;
                    set.holding[d].set(cell);
                    set.seenByAll[d] &= PeerSet(cell);
                }
            }
            sets.push_back(std::move(set));
        }
    }
    return sets;
}

// The digits that a and b restrict: each of their places in one set sees
// each in the other, so not both sets can hold it.
Mask RestrictedCommon(const AlmostLockedSet& a, const AlmostLockedSet& b) {
    if ((a.cells & b.cells).any()) return 0;
    Mask restricted = 0;
    for (Mask m = a.digits & b.digits; m; m &= static_cast<Mask>(m - 1)) {
        const int d = LowestDigit(m);
        if ((b.holding[d] & ~a.seenByAll[d]).none()) restricted |= Bit(d);
    }
    return restricted;
}

// The cells outside both sets that hold z and see every z of both.
CellSet Targets(const Grid& grid, const AlmostLockedSet& a, const AlmostLockedSet& b, int z) {
    return CellsHolding(grid, z) & a.seenByAll[z] & b.seenByAll[z] & ~a.cells & ~b.cells;
}

constexpr int kMaxCells = 5;

// Strikes each digit of `digits` from the cells outside a, b and `spared`
// that see all its places in both; returns the digits that struck anything.
Mask StrikeCommonDigits(const Grid& grid, const AlmostLockedSet& a, const AlmostLockedSet& b,
                        Mask digits, const CellSet& spared, Step& step) {
    Mask struck = 0;
    for (Mask m = digits; m; m &= static_cast<Mask>(m - 1)) {
        const int z = LowestDigit(m);
        const std::vector<Strike> strikes = StrikesOf(Targets(grid, a, b, z) & ~spared, z);
        if (strikes.empty()) continue;
        struck |= Bit(z);
        step.strikes.insert(step.strikes.end(), strikes.begin(), strikes.end());
    }
    return struck;
}

// The smallest sets first, so that a hint shows the simplest.
void AddSimplestFirst(std::vector<Step>& found, StepFinder& finder) {
    std::stable_sort(found.begin(), found.end(), [](const Step& p, const Step& q) {
        return p.reason.size() < q.reason.size();
    });
    for (Step& step : found) {
        if (finder.Done()) return;
        finder.Add(std::move(step));
    }
}

}  // namespace

// Two almost locked sets with a restricted common digit x: one of them loses
// x and is locked, so another digit z common to both is in one of them and
// leaves every cell that sees all its places in both.
void FindAlsXz(const Grid& grid, StepFinder& finder) {
    const std::vector<AlmostLockedSet> sets = AlmostLockedSets(grid, kMaxCells);
    std::vector<Step> found;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        for (std::size_t j = i + 1; j < sets.size(); ++j) {
            const AlmostLockedSet &a = sets[i], &b = sets[j];
            const Mask restricted = RestrictedCommon(a, b);
            if (!restricted) continue;
            const int x = LowestDigit(restricted);
            Step step{Technique::kAlsXz, -1, 0, {}, {}, {}};
            const Mask zs = StrikeCommonDigits(
                grid, a, b, a.digits & b.digits & static_cast<Mask>(~Bit(x)), CellSet{}, step);
            if (step.strikes.empty()) continue;
            step.reason = "ALS-XZ: " + a.Name() + " and " + b.Name() +
                          " each hold one digit more " + "than cells; " + std::to_string(x) +
                          " cannot be in both, as its places in one all see those in the other, "
                          "so one set loses it and is locked, and " +
                          DigitList(zs) + " must be in one of them.";
            found.push_back(std::move(step));
        }
    }
    AddSimplestFirst(found, finder);
}

// Sets A and B each share a restricted common digit with a third set C, x
// with A and y with B: C cannot lose both, so A loses x or B loses y and is
// locked; a digit z common to A and B, not x nor y, is then in one of them.
void FindAlsXyWings(const Grid& grid, StepFinder& finder) {
    const std::vector<AlmostLockedSet> sets = AlmostLockedSets(grid, kMaxCells);
    std::vector<std::vector<std::pair<int, Mask>>> linked(sets.size());
    for (std::size_t i = 0; i < sets.size(); ++i)
        for (std::size_t j = i + 1; j < sets.size(); ++j)
            if (const Mask r = RestrictedCommon(sets[i], sets[j]); r) {
                linked[i].push_back({static_cast<int>(j), r});
                linked[j].push_back({static_cast<int>(i), r});
            }
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
                        Step step{Technique::kAlsXyWing, -1, 0, {}, {}, {}};
                        const Mask zs = StrikeCommonDigits(
                            grid, a, b, a.digits & b.digits & static_cast<Mask>(~Bit(x) & ~Bit(y)),
                            sets[c].cells, step);
                        if (step.strikes.empty()) continue;
                        step.reason = "ALS-XY-wing: " + sets[c].Name() + " shares " +
                                      std::to_string(x) + " with " + a.Name() + " and " +
                                      std::to_string(y) + " with " + b.Name() +
                                      ", each digit's places in one set all seeing those in "
                                      "the other; the middle set cannot lose both, so " +
                                      "the first loses " + std::to_string(x) +
                                      " or the last loses " + std::to_string(y) +
                                      " and is locked, and " + DigitList(zs) +
                                      " must be in one of those two.";
                        found.push_back(std::move(step));
                    }
                }
            }
        }
    }
    AddSimplestFirst(found, finder);
}

}  // namespace quillet::solving
