#include "solving/Techniques.h"

namespace quillet::solving {

std::vector<Candidate> StrikesOf(const CellSet& cells, int digit) {
    std::vector<Candidate> strikes;
    for (int cell = 0; cell < kCellCount; ++cell)
        if (cells[cell]) strikes.push_back({cell, digit});
    return strikes;
}

// A cell left with one digit that a peer still holds: placing it strikes the
// digit from them. A freshly imported given is one too.
void FindNakedSingles(const Grid& grid, StepFinder& finder) {
    for (int cell = 0; cell < kCellCount && !finder.Done(); ++cell) {
        const Mask m = grid.cells[cell];
        if (CountOf(m) != 1) continue;
        bool pending = false;
        for (const int peer : Peers(cell)) pending = pending || (grid.cells[peer] & m) != 0;
        if (!pending) continue;
        Step step{Technique::kNakedSingle, cell, LowestDigit(m)};
        step.cells = {cell};
        step.held = {m};
        step.digits = m;
        finder.Add(std::move(step));
    }
}

void FindHiddenSingles(const Grid& grid, Technique kind, StepFinder& finder) {
    const int first = kind == Technique::kHiddenSingleRow      ? 0
                      : kind == Technique::kHiddenSingleColumn ? 9
                                                               : 18;
    for (int unit = first; unit < first + 9 && !finder.Done(); ++unit) {
        for (int digit = 1; digit <= 9 && !finder.Done(); ++digit) {
            const unsigned places = PlacesOf(grid, unit, digit);
            if (CountOf(places) != 1) continue;
            const int cell = UnitCells(unit)[std::countr_zero(places)];
            if (CountOf(grid.cells[cell]) == 1) continue;
            Step step{kind, cell, digit};
            step.cells = {cell};
            step.held = {grid.cells[cell]};
            step.units = {unit};
            step.digits = Bit(digit);
            finder.Add(std::move(step));
        }
    }
}

}  // namespace quillet::solving
