#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

const char* FishName(int size) {
    return size == 2 ? "X-wing" : size == 3 ? "Swordfish" : "Jellyfish";
}

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
        Step step{FishTechnique(size), -1, 0, {}, {}, {}};
        std::string baseNames, coverNames;
        for (int i = 0; i < 9; ++i) {
            if (chosen & (1u << i))
                baseNames += (baseNames.empty() ? "" : ", ") + std::to_string(i + 1);
            if (!(covers & (1u << i))) continue;
            coverNames += (coverNames.empty() ? "" : ", ") + std::to_string(i + 1);
            // Place j of cover line i is base line j.
            for (int j = 0; j < 9; ++j) {
                const int cell = UnitCells(coverFirst + i)[j];
                if (!(chosen & (1u << j)) && Holds(grid.cells[cell], digit))
                    step.strikes.push_back({cell, digit});
            }
        }
        if (step.strikes.empty()) continue;
        const bool rows = baseFirst == 0;
        step.reason = std::string(FishName(size)) + ": in " + (rows ? "rows " : "columns ") +
                      baseNames + ", " + std::to_string(digit) + " fits only " +
                      (rows ? "columns " : "rows ") + coverNames +
                      ", so those lines hold it nowhere else.";
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
