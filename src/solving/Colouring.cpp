#include <algorithm>
#include <array>

#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

// Open cells holding the digit, and the pairs of them that are the only two
// places of the digit in some unit (conjugate pairs).
struct LinkGraph {
    std::array<std::vector<int>, kCellCount> strong;

    LinkGraph(const Grid& grid, int digit) {
        for (int unit = 0; unit < kUnitCount; ++unit) {
            const unsigned places = PlacesOf(grid, unit, digit);
            if (CountOf(places) != 2) continue;
            const int p = UnitCells(unit)[std::countr_zero(places)];
            const int q = UnitCells(unit)[31 - std::countl_zero(places)];
            if (CountOf(grid.cells[p]) == 1 || CountOf(grid.cells[q]) == 1) continue;
            strong[p].push_back(q);
            strong[q].push_back(p);
        }
    }
};

// The conjugate pairs of a digit join cells into clusters whose cells take
// the digit alternately: one colour holds it, the other not. A colour that
// meets itself in a unit is false; a cell that sees both colours is false.
void FindColourings(const Grid& grid, StepFinder& finder) {
    for (int digit = 1; digit <= 9 && !finder.Done(); ++digit) {
        const LinkGraph graph(grid, digit);
        std::array<int, kCellCount> colour;
        colour.fill(-1);
        for (int start = 0; start < kCellCount && !finder.Done(); ++start) {
            if (colour[start] != -1 || graph.strong[start].empty()) continue;
            std::vector<int> cluster{start};
            // The conjugate pairs by which each cell was coloured.
            std::vector<Link> links;
            colour[start] = 0;
            for (std::size_t i = 0; i < cluster.size(); ++i) {
                for (const int next : graph.strong[cluster[i]]) {
                    if (colour[next] != -1) continue;
                    colour[next] = 1 - colour[cluster[i]];
                    cluster.push_back(next);
                    links.push_back({{cluster[i], digit}, {next, digit}, true});
                }
            }
            std::vector<Group> sides(2, Group{{}, Bit(digit), -1});
            for (const int cell : cluster) sides[colour[cell]].cells.push_back(cell);
            std::sort(sides[0].cells.begin(), sides[0].cells.end());
            std::sort(sides[1].cells.begin(), sides[1].cells.end());
            auto colouring = [&] {
                Step step{Technique::kSimpleColouring};
                step.groups = sides;
                step.links = links;
                step.digits = Bit(digit);
                return step;
            };
            for (int side = 0; side < 2 && !finder.Done(); ++side) {
                int clashA = -1, clashB = -1;
                for (const int a : sides[side].cells)
                    for (const int b : sides[side].cells)
                        if (a < b && Sees(a, b) && clashA < 0) clashA = a, clashB = b;
                if (clashA < 0) continue;
                // The two cells of one colour that see each other.
                Step step = colouring();
                for (const int cell : sides[side].cells) step.strikes.push_back({cell, digit});
                step.cells = {clashA, clashB};
                step.held = {grid.cells[clashA], grid.cells[clashB]};
                finder.Add(std::move(step));
            }
            if (finder.Done()) break;
            Step trap = colouring();
            for (int cell = 0; cell < kCellCount; ++cell) {
                if (colour[cell] != -1 || !Holds(grid.cells[cell], digit)) continue;
                bool seen[2] = {false, false};
                for (const int c : cluster) seen[colour[c]] = seen[colour[c]] || Sees(cell, c);
                if (seen[0] && seen[1]) trap.strikes.push_back({cell, digit});
            }
            if (trap.strikes.empty()) continue;
            finder.Add(std::move(trap));
        }
    }
}

}  // namespace

void FindSimpleColouring(const Grid& grid, StepFinder& finder) {
    // Every cluster of every digit, the smallest shown first.
    StepFinder every{true, {}, finder.scratch};
    FindColourings(grid, every);
    AddSimplestFirst(every.steps, finder);
}

}  // namespace quillet::solving
