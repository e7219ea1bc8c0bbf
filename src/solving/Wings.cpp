#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

std::string Holding(const Grid& grid, int cell) {
    return CellName(cell) + " (" + DigitList(grid.cells[cell]) + ")";
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
                Step step{Technique::kXYWing,
                          -1,
                          0,
                          StrikesOf(SeenByAll(grid, {a, b}, LowestDigit(z)), LowestDigit(z)),
                          {},
                          {}};
                if (step.strikes.empty()) continue;
                step.reason = "XY-wing: " + Holding(grid, pivot) + " sees " + Holding(grid, a) +
                              " and " + Holding(grid, b) + "; one of these two is " + DigitList(z) +
                              ".";
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
                Step step{Technique::kXYZWing,
                          -1,
                          0,
                          StrikesOf(SeenByAll(grid, {pivot, a, b}, LowestDigit(z)), LowestDigit(z)),
                          {},
                          {}};
                if (step.strikes.empty()) continue;
                step.reason = "XYZ-wing: " + Holding(grid, pivot) + " sees " + Holding(grid, a) +
                              " and " + Holding(grid, b) + "; one of the three is " + DigitList(z) +
                              ".";
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
                    Step step{
                        Technique::kWWing, -1, 0, StrikesOf(SeenByAll(grid, {a, b}, y), y), {}, {}};
                    if (step.strikes.empty()) continue;
                    step.reason = "W-wing: " + Holding(grid, a) + " and " + Holding(grid, b) +
                                  " are joined by " + UnitName(unit) + ", where " +
                                  std::to_string(x) + " fits only " + CellList({p, q}) +
                                  "; one of the two cells is " + std::to_string(y) + ".";
                    finder.Add(std::move(step));
                }
            }
        }
    }
}

}  // namespace quillet::solving
