#include <algorithm>
#include <bit>

#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

// Four open cells at the corners of a rectangle over two rows, two columns
// and two boxes: were they left with the same two digits, those could swap
// and the puzzle would have two solutions.
struct Rectangle {
    std::array<int, 4> cells;  // two rows: [0] [1] above [2] [3]
};

std::vector<Rectangle> Rectangles(const Grid& grid) {
    std::vector<Rectangle> found;
    for (int r1 = 1; r1 <= 9; ++r1)
        for (int r2 = r1 + 1; r2 <= 9; ++r2) {
            // The columns where both rows' cells are open with two digits in
            // common, before the pairs of them are tried.
            int columns[9];
            Mask common[9];
            int count = 0;
            for (int c = 1; c <= 9; ++c) {
                const Mask a = grid.cells[ColumnMajorIndex({c, r1})];
                const Mask b = grid.cells[ColumnMajorIndex({c, r2})];
                if (CountOf(a) < 2 || CountOf(b) < 2 || CountOf(a & b) < 2) continue;
                columns[count] = c;
                common[count++] = a & b;
            }
            const bool band = (r1 - 1) / 3 == (r2 - 1) / 3;
            for (int i = 0; i < count; ++i)
                for (int j = i + 1; j < count; ++j) {
                    const int c1 = columns[i], c2 = columns[j];
                    const bool stack = (c1 - 1) / 3 == (c2 - 1) / 3;
                    if (band == stack) continue;  // four boxes, or one
                    if (CountOf(common[i] & common[j]) < 2) continue;
                    found.push_back({{ColumnMajorIndex({c1, r1}), ColumnMajorIndex({c2, r1}),
                                      ColumnMajorIndex({c1, r2}), ColumnMajorIndex({c2, r2})}});
                }
        }
    return found;
}

// A step of the rectangle on the digits xy: its corners, what they hold.
Step RectangleStep(Technique technique, const Grid& grid, const Rectangle& r, Mask xy) {
    Step step{technique};
    step.cells.assign(r.cells.begin(), r.cells.end());
    for (const int cell : r.cells) step.held.push_back(grid.cells[cell]);
    step.digits = xy;
    return step;
}

// Type 1: three corners hold only x and y; the fourth cannot be either.
void TypeOne(const Grid& grid, const Rectangle& r, Mask xy, StepFinder& finder) {
    int roof = -1, floors = 0;
    for (const int cell : r.cells) {
        if (grid.cells[cell] == xy)
            ++floors;
        else
            roof = cell;
    }
    if (floors != 3 || roof < 0) return;
    Step step = RectangleStep(Technique::kUniqueRectangle1, grid, r, xy);
    for (Mask m = xy; m; m &= static_cast<Mask>(m - 1))
        step.strikes.push_back({roof, LowestDigit(m)});
    finder.Add(std::move(step));
}

// The corners that hold more than x and y, and the other digits they hold.
struct Roofs {
    std::vector<int> cells;
    Mask extra = 0;
};
Roofs RoofsOf(const Grid& grid, const Rectangle& r, Mask xy) {
    Roofs roofs;
    for (const int cell : r.cells) {
        if (grid.cells[cell] == xy) continue;
        roofs.cells.push_back(cell);
        roofs.extra |= grid.cells[cell] & static_cast<Mask>(~xy);
    }
    return roofs;
}

// Type 2: two corners hold only x and y, the other two x, y and one same z:
// one of those is z, so z leaves every cell that sees both.
void TypeTwo(const Grid& grid, const Rectangle& r, Mask xy, StepFinder& finder) {
    const auto [roofs, extra] = RoofsOf(grid, r, xy);
    if (roofs.size() != 2 || CountOf(extra) != 1) return;
    for (const int cell : roofs)
        if (CountOf(grid.cells[cell]) != 3) return;
    const int z = LowestDigit(extra);
    Step step = RectangleStep(Technique::kUniqueRectangle2, grid, r, xy);
    step.strikes = StrikesOf(SeenByAll(grid, {roofs[0], roofs[1]}, z), z);
    if (step.strikes.empty()) return;
    finder.Add(std::move(step));
}

// Type 4: two corners hold only x and y; in a unit of the other two, x has
// no other place, so one of them is x and neither can be y.
void TypeFour(const Grid& grid, const Rectangle& r, Mask xy, StepFinder& finder) {
    const std::vector<int> roofs = RoofsOf(grid, r, xy).cells;
    if (roofs.size() != 2 || !Sees(roofs[0], roofs[1])) return;
    for (Mask m = xy; m && !finder.Done(); m &= static_cast<Mask>(m - 1)) {
        const int x = LowestDigit(m);
        const int y = LowestDigit(static_cast<Mask>(xy & ~Bit(x)));
        for (const int unit : {RowUnit(roofs[0]), ColumnUnit(roofs[0]), BoxUnit(roofs[0])}) {
            const auto& cells = UnitCells(unit);
            if (std::find(cells.begin(), cells.end(), roofs[1]) == cells.end()) continue;
            if (CountOf(PlacesOf(grid, unit, x)) != 2) continue;
            Step step = RectangleStep(Technique::kUniqueRectangle4, grid, r, xy);
            step.strikes = {{roofs[0], y}, {roofs[1], y}};
            step.units = {unit};
            finder.Add(std::move(step));
            break;
        }
    }
}

// Type 3: two corners hold only x and y; the other two, in one unit, hold
// other digits besides, and one of them must take one of those. Those two
// act as one cell holding their other digits: with cells of the unit that
// hold none but those and as many more digits as there are such cells,
// they make a naked set, whose digits leave the rest of the unit.
void TypeThree(const Grid& grid, const Rectangle& r, Mask xy, StepFinder& finder) {
    const auto [roofs, extra] = RoofsOf(grid, r, xy);
    if (roofs.size() != 2 || !Sees(roofs[0], roofs[1])) return;
    for (const int unit : {RowUnit(roofs[0]), ColumnUnit(roofs[0]), BoxUnit(roofs[0])}) {
        const auto& cells = UnitCells(unit);
        if (std::find(cells.begin(), cells.end(), roofs[1]) == cells.end()) continue;
        std::vector<int> others;  // the unit's open cells but the two
        for (const int c : cells)
            if (c != roofs[0] && c != roofs[1] && CountOf(grid.cells[c]) > 1) others.push_back(c);
        const int n = static_cast<int>(others.size());
        // The smallest sets first: a pair, then a triple, then a quad.
        for (int size = 1; size <= 3 && !finder.Done(); ++size) {
            for (unsigned subset = 1; subset < (1u << n) && !finder.Done(); ++subset) {
                if (std::popcount(subset) != size) continue;
                Mask digits = extra;
                std::vector<int> set;
                for (int i = 0; i < n; ++i) {
                    if (!(subset & (1u << i))) continue;
                    digits |= grid.cells[others[i]];
                    set.push_back(others[i]);
                }
                if (CountOf(digits) != size + 1) continue;
                Step step = RectangleStep(Technique::kUniqueRectangle3, grid, r, xy);
                for (int i = 0; i < n; ++i) {
                    if (subset & (1u << i)) continue;
                    for (Mask m = grid.cells[others[i]] & digits; m; m &= static_cast<Mask>(m - 1))
                        step.strikes.push_back({others[i], LowestDigit(m)});
                }
                if (step.strikes.empty()) continue;
                step.units = {unit};
                step.groups = {{set, digits, unit}};
                finder.Add(std::move(step));
            }
        }
    }
}

template <typename Type>
void EachRectangle(const Grid& grid, StepFinder& finder, Type type) {
    for (const Rectangle& r : Rectangles(grid)) {
        Mask common = kAllDigits;
        for (const int cell : r.cells) common &= grid.cells[cell];
        for (Mask a = common; a && !finder.Done(); a &= static_cast<Mask>(a - 1))
            for (Mask b = static_cast<Mask>(a & (a - 1)); b && !finder.Done();
                 b &= static_cast<Mask>(b - 1))
                type(grid, r, static_cast<Mask>((a & -a) | (b & -b)), finder);
        if (finder.Done()) return;
    }
}

}  // namespace

void FindUniqueRectangles(const Grid& grid, int type, StepFinder& finder) {
    if (type == 1) EachRectangle(grid, finder, TypeOne);
    if (type == 2) EachRectangle(grid, finder, TypeTwo);
    if (type == 3) {
        // Every naked set of every rectangle, the smallest shown first.
        StepFinder every{true, {}, finder.scratch};
        EachRectangle(grid, every, TypeThree);
        AddSimplestFirst(every.steps, finder);
    }
    if (type == 4) EachRectangle(grid, finder, TypeFour);
}

// Every open cell holds two digits but one, which holds three, and every
// digit has two places in each unit but for one of those three: without it
// the board would be a pattern with no solution or more than one, so the
// odd cell takes that digit.
void FindBugPlusOne(const Grid& grid, StepFinder& finder) {
    int odd = -1;
    for (int cell = 0; cell < kCellCount; ++cell) {
        const int n = CountOf(grid.cells[cell]);
        if (n == 1 || n == 2) continue;
        if (n != 3 || odd >= 0) return;
        odd = cell;
    }
    if (odd < 0) return;
    for (Mask m = grid.cells[odd]; m; m &= static_cast<Mask>(m - 1)) {
        const int digit = LowestDigit(m);
        Grid rest = grid;
        rest.cells[odd] &= static_cast<Mask>(~Bit(digit));
        bool pattern = true;
        for (int unit = 0; unit < kUnitCount && pattern; ++unit)
            for (int d = 1; d <= 9 && pattern; ++d) {
                int open = 0;
                for (const int cell : UnitCells(unit))
                    open += CountOf(rest.cells[cell]) == 2 && Holds(rest.cells[cell], d) ? 1 : 0;
                pattern = open == 0 || open == 2;
            }
        if (!pattern) continue;
        Step step{Technique::kBugPlusOne, odd, digit};
        step.cells = {odd};
        step.held = {grid.cells[odd]};
        step.digits = grid.cells[odd];
        finder.Add(std::move(step));
        return;
    }
}

}  // namespace quillet::solving
