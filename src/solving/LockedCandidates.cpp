#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

// The digit's cells in `from` all lie in `within`: the rest of `within` loses it.
void Lock(const Grid& grid, Technique technique, int from, int within, int digit,
          StepFinder& finder) {
    Step step{technique};
    for (const int cell : UnitCells(from)) {
        if (!Holds(grid.cells[cell], digit)) continue;
        step.cells.push_back(cell);
        step.held.push_back(grid.cells[cell]);
    }
    for (const int cell : UnitCells(within)) {
        bool inside = false;
        for (const int l : UnitCells(from)) inside = inside || l == cell;
        if (!inside && Holds(grid.cells[cell], digit)) step.strikes.push_back({cell, digit});
    }
    if (step.strikes.empty()) return;
    step.units = {from};
    step.covers = {within};
    step.digits = Bit(digit);
    finder.Add(std::move(step));
}

// The one unit (by `unitOf`) that holds every open cell of `unit` with the
// digit: -1 when there is no such cell, -2 when they spread over several.
int CommonUnit(const Grid& grid, int unit, int digit, int (*unitOf)(int)) {
    int common = -1;
    for (const int cell : UnitCells(unit)) {
        if (!Holds(grid.cells[cell], digit) || CountOf(grid.cells[cell]) == 1) continue;
        const int u = unitOf(cell);
        if (common == -1)
            common = u;
        else if (common != u)
            return -2;
    }
    return common;
}

}  // namespace

void FindPointing(const Grid& grid, StepFinder& finder) {
    for (int box = 18; box < 27 && !finder.Done(); ++box) {
        for (int digit = 1; digit <= 9 && !finder.Done(); ++digit) {
            for (int (*lineOf)(int) : {RowUnit, ColumnUnit}) {
                const int line = CommonUnit(grid, box, digit, lineOf);
                if (line >= 0) Lock(grid, Technique::kPointing, box, line, digit, finder);
                if (finder.Done()) break;
            }
        }
    }
}

void FindClaiming(const Grid& grid, StepFinder& finder) {
    for (int line = 0; line < 18 && !finder.Done(); ++line) {
        for (int digit = 1; digit <= 9 && !finder.Done(); ++digit) {
            const int box = CommonUnit(grid, line, digit, BoxUnit);
            if (box >= 0) Lock(grid, Technique::kClaiming, line, box, digit, finder);
        }
    }
}

}  // namespace quillet::solving
