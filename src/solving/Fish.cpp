#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

Technique FishTechnique(int size) {
    return size == 2   ? Technique::kXWing
           : size == 3 ? Technique::kSwordfish
                       : Technique::kJellyfish;
}

// Base lines are rows (cover lines columns) or the other way round. In `size`
// base lines the digit fits only `size` cover lines between them: each cover
// line's digit lies in a base line, so the rest of the cover lines lose it.
void FindFishOn(const Grid& grid, int size, int digit, int baseFirst, int coverFirst,
                StepFinder& finder) {
    unsigned places[9];
    unsigned bases = 0;
    for (int i = 0; i < 9; ++i) {
        places[i] = PlacesOf(grid, baseFirst + i, digit);
        const int count = CountOf(places[i]);
        if (count >= 2 && count <= size) bases |= 1u << i;
    }
    for (const unsigned chosen : SubsetsOfSize(size)) {
        if (finder.Done()) return;
        if ((chosen & ~bases) != 0) continue;
        unsigned covers = 0;
        for (int i = 0; i < 9; ++i)
            if (chosen & (1u << i)) covers |= places[i];
        if (CountOf(covers) != size) continue;
        Step step{FishTechnique(size)};
        for (int i = 0; i < 9; ++i) {
            if (chosen & (1u << i)) step.units.push_back(baseFirst + i);
            if (!(covers & (1u << i))) continue;
            step.covers.push_back(coverFirst + i);
            // Place j of cover line i is base line j.
            for (int j = 0; j < 9; ++j) {
                const int cell = UnitCells(coverFirst + i)[j];
                if (!(chosen & (1u << j)) && Holds(grid.cells[cell], digit))
                    step.strikes.push_back({cell, digit});
            }
        }
        if (step.strikes.empty()) continue;
        // The digit's cells where the lines cross, base line by base line:
        // place j of a base line is on cover line j.
        for (int i = 0; i < 9; ++i) {
            if (!(chosen & (1u << i))) continue;
            for (int j = 0; j < 9; ++j) {
                if (!(places[i] & (1u << j))) continue;
                step.cells.push_back(UnitCells(baseFirst + i)[j]);
                step.held.push_back(grid.cells[step.cells.back()]);
            }
        }
        step.digits = Bit(digit);
        finder.Add(std::move(step));
    }
}

}  // namespace

void FindFish(const Grid& grid, int size, StepFinder& finder) {
    for (int digit = 1; digit <= 9 && !finder.Done(); ++digit) {
        FindFishOn(grid, size, digit, 0, 9, finder);
        if (!finder.Done()) FindFishOn(grid, size, digit, 9, 0, finder);
    }
}

}  // namespace quillet::solving
