#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

// The step of a wing that strikes z from the cells seeing `seeing`: its
// cells, pivot first, with what they hold, and a weak link from the pivot to
// each wing on the digit they share besides z.
Step Wing(Technique technique, const Grid& grid, int pivot, int a, int b, int z,
          std::initializer_list<int> seeing) {
    Step step{technique, -1, 0, StrikesOf(SeenByAll(grid, seeing, z), z)};
    if (step.strikes.empty()) return step;
    step.cells = {pivot, a, b};
    for (const int cell : step.cells) {
        step.held.push_back(grid.cells[cell]);
        step.digits |= grid.cells[cell];
    }
    for (const int wing : {a, b}) {
        const Mask shared = grid.cells[pivot] & grid.cells[wing] & static_cast<Mask>(~Bit(z));
        if (CountOf(shared) == 1)
            step.links.push_back(
                {{pivot, LowestDigit(shared)}, {wing, LowestDigit(shared)}, false});
    }
    return step;
}

}  // namespace

// A pivot holding x and y sees a cell with x and z and one with y and z:
// whichever the pivot takes, one of those two is z.
void FindXYWings(const Grid& grid, StepFinder& finder) {
    for (int pivot = 0; pivot < kCellCount && !finder.Done(); ++pivot) {
        const Mask xy = grid.cells[pivot];
        if (CountOf(xy) != 2) continue;
        for (const int a : Peers(pivot)) {
            const Mask xz = grid.cells[a];
            if (CountOf(xz) != 2 || CountOf(xz & xy) != 1) continue;
            const Mask z = xz & static_cast<Mask>(~xy);
            for (const int b : Peers(pivot)) {
                if (b <= a || grid.cells[b] != ((xy & static_cast<Mask>(~xz)) | z)) continue;
                Step step = Wing(Technique::kXYWing, grid, pivot, a, b, LowestDigit(z), {a, b});
                if (step.strikes.empty()) continue;
                finder.Add(std::move(step));
                if (finder.Done()) return;
            }
        }
    }
}

// As the XY-wing, with the pivot holding z as well: z is in one of the three.
void FindXYZWings(const Grid& grid, StepFinder& finder) {
    for (int pivot = 0; pivot < kCellCount && !finder.Done(); ++pivot) {
        const Mask xyz = grid.cells[pivot];
        if (CountOf(xyz) != 3) continue;
        for (const int a : Peers(pivot)) {
            const Mask xz = grid.cells[a];
            if (CountOf(xz) != 2 || (xz & ~xyz) != 0) continue;
            for (const int b : Peers(pivot)) {
                const Mask yz = grid.cells[b];
                if (b <= a || CountOf(yz) != 2 || (yz & ~xyz) != 0 || yz == xz) continue;
                const Mask z = xz & yz;
                Step step =
                    Wing(Technique::kXYZWing, grid, pivot, a, b, LowestDigit(z), {pivot, a, b});
                if (step.strikes.empty()) continue;
                finder.Add(std::move(step));
                if (finder.Done()) return;
            }
        }
    }
}

// Two cells holding the same two digits x and y, joined by a unit where x
// fits only two cells, one seeing each: one of the two cells is y.
void FindWWings(const Grid& grid, StepFinder& finder) {
    for (int a = 0; a < kCellCount && !finder.Done(); ++a) {
        const Mask xy = grid.cells[a];
        if (CountOf(xy) != 2) continue;
        for (int b = a + 1; b < kCellCount && !finder.Done(); ++b) {
            if (grid.cells[b] != xy || Sees(a, b)) continue;
            for (int x = 1; x <= 9 && !finder.Done(); ++x) {
                if (!Holds(xy, x)) continue;
                const int y = LowestDigit(xy & static_cast<Mask>(~Bit(x)));
                for (int unit = 0; unit < kUnitCount && !finder.Done(); ++unit) {
                    const unsigned places = PlacesOf(grid, unit, x);
                    if (CountOf(places) != 2) continue;
                    const int p = UnitCells(unit)[std::countr_zero(places)];
                    const int q = UnitCells(unit)[31 - std::countl_zero(places)];
                    if (p == a || p == b || q == a || q == b) continue;
                    const bool linked = (Sees(p, a) && Sees(q, b)) || (Sees(p, b) && Sees(q, a));
                    if (!linked) continue;
                    Step step{Technique::kWWing, -1, 0, StrikesOf(SeenByAll(grid, {a, b}, y), y)};
                    if (step.strikes.empty()) continue;
                    step.cells = {a, b, p, q};
                    for (const int cell : step.cells) step.held.push_back(grid.cells[cell]);
                    step.units = {unit};
                    step.digits = xy;
                    // From each cell to the place of x it sees; the two places
                    // strongly linked in the unit.
                    const bool pNearA = Sees(p, a) && Sees(q, b);
                    const int nearA = pNearA ? p : q, nearB = pNearA ? q : p;
                    step.links = {{{a, x}, {nearA, x}, false},
                                  {{nearA, x}, {nearB, x}, true},
                                  {{nearB, x}, {b, x}, false}};
                    finder.Add(std::move(step));
                }
            }
        }
    }
}

}  // namespace quillet::solving
