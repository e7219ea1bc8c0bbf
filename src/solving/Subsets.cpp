#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

const char* SubsetWord(int size) { return size == 2 ? "pair" : size == 3 ? "triple" : "quad"; }

Technique NakedTechnique(int size) {
    return size == 2   ? Technique::kNakedPair
           : size == 3 ? Technique::kNakedTriple
                       : Technique::kNakedQuad;
}

Technique HiddenTechnique(int size) {
    return size == 2   ? Technique::kHiddenPair
           : size == 3 ? Technique::kHiddenTriple
                       : Technique::kHiddenQuad;
}

}  // namespace

// `size` open cells of a unit that hold `size` digits between them: those
// digits go there, so the unit's other cells lose them.
void FindNakedSubsets(const Grid& grid, int size, StepFinder& finder) {
    for (int unit = 0; unit < kUnitCount && !finder.Done(); ++unit) {
        const auto& cells = UnitCells(unit);
        unsigned open = 0;
        for (int i = 0; i < 9; ++i)
            if (CountOf(grid.cells[cells[i]]) > 1) open |= 1u << i;
        if (CountOf(open) <= size) continue;  // no other cell to strike from
        for (const unsigned chosen : SubsetsOfSize(size)) {
            if (finder.Done()) return;
            if ((chosen & ~open) != 0) continue;
            Mask digits = 0, others = 0;
            for (int i = 0; i < 9; ++i)
                (chosen & (1u << i) ? digits : others) |= grid.cells[cells[i]];
            // Most subsets found were taken before and strike nothing more:
            // passed over before their step is built.
            if (CountOf(digits) != size || !(others & digits)) continue;
            Step step{NakedTechnique(size), -1, 0, {}, {}, {}};
            std::vector<int> members;
            for (int i = 0; i < 9; ++i) {
                if (chosen & (1u << i)) {
                    members.push_back(cells[i]);
                    continue;
                }
                const Mask common = grid.cells[cells[i]] & digits;
                for (int d = 1; d <= 9; ++d)
                    if (Holds(common, d)) step.strikes.push_back({cells[i], d});
            }
            if (step.strikes.empty()) continue;
            step.reason = std::string("Naked ") + SubsetWord(size) + " in " + UnitName(unit) +
                          ": " + CellList(members) + " hold only " + DigitList(digits) +
                          " between them, so those digits go there.";
            finder.Add(std::move(step));
        }
    }
}

// `size` digits that fit only `size` cells of a unit between them: those
// cells hold nothing else.
void FindHiddenSubsets(const Grid& grid, int size, StepFinder& finder) {
    for (int unit = 0; unit < kUnitCount && !finder.Done(); ++unit) {
        const auto& cells = UnitCells(unit);
        unsigned places[10] = {};
        Mask open = 0;
        for (int d = 1; d <= 9; ++d) {
            places[d] = PlacesOf(grid, unit, d);
            const bool solved = CountOf(places[d]) == 1 &&
                                CountOf(grid.cells[cells[std::countr_zero(places[d])]]) == 1;
            if (places[d] != 0 && !solved) open |= Bit(d);
        }
        if (CountOf(open) <= size) continue;  // no other digit to strike
        for (const unsigned chosen : SubsetsOfSize(size)) {
            if (finder.Done()) return;
            const Mask digits = static_cast<Mask>(chosen);
            if ((digits & ~open) != 0) continue;
            unsigned where = 0;
            for (int d = 1; d <= 9; ++d)
                if (Holds(digits, d)) where |= places[d];
            if (CountOf(where) != size) continue;
            // As for naked subsets: struck before, passed over unbuilt.
            Mask held = 0;
            for (int i = 0; i < 9; ++i)
                if (where & (1u << i)) held |= grid.cells[cells[i]];
            if (!(held & static_cast<Mask>(~digits))) continue;
            Step step{HiddenTechnique(size), -1, 0, {}, {}, {}};
            std::vector<int> members;
            for (int i = 0; i < 9; ++i) {
                if (!(where & (1u << i))) continue;
                members.push_back(cells[i]);
                const Mask others = grid.cells[cells[i]] & static_cast<Mask>(~digits);
                for (int d = 1; d <= 9; ++d)
                    if (Holds(others, d)) step.strikes.push_back({cells[i], d});
            }
            if (step.strikes.empty()) continue;
            step.reason = std::string("Hidden ") + SubsetWord(size) + " in " + UnitName(unit) +
                          ": " + DigitList(digits) + " fit only " + CellList(members) +
                          ", so those cells hold nothing else.";
            finder.Add(std::move(step));
        }
    }
}

}  // namespace quillet::solving
