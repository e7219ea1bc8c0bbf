#include "solving/Techniques.h"

namespace quillet::solving {

namespace {

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

// Calls visit(subset) for each subset of `size` of the bits of `set`, in
// increasing order, as long as it returns true: only those subsets, where
// trying each of the nine bits' and testing it against `set` cost more.
template <typename Visit>
void ForEachSubsetOf(unsigned set, int size, Visit visit) {
    int bits[9];
    int count = 0;
    for (unsigned w = set; w; w &= w - 1) bits[count++] = std::countr_zero(w);
    // The subsets of `count` things by the next larger number with as many
    // bits; spread onto the set's bits, their order stays.
    for (unsigned c = (1u << size) - 1; c < (1u << count);) {
        unsigned subset = 0;
        for (unsigned w = c; w; w &= w - 1) subset |= 1u << bits[std::countr_zero(w)];
        if (!visit(subset)) return;
        const unsigned t = c | (c - 1);
        c = (t + 1) | (((~t & (t + 1)) - 1) >> (std::countr_zero(c) + 1));
    }
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
        ForEachSubsetOf(open, size, [&](unsigned chosen) {
            if (finder.Done()) return false;
            Mask digits = 0;
            for (unsigned w = chosen; w; w &= w - 1)
                digits |= grid.cells[cells[std::countr_zero(w)]];
            if (CountOf(digits) != size) return true;
            // Most subsets found were taken before and strike nothing more:
            // passed over before their step is built.
            Mask others = 0;
            for (int i = 0; i < 9; ++i)
                if (!(chosen & (1u << i))) others |= grid.cells[cells[i]];
            if (!(others & digits)) return true;
            Step step{NakedTechnique(size)};
            for (int i = 0; i < 9; ++i) {
                if (chosen & (1u << i)) {
                    step.cells.push_back(cells[i]);
                    step.held.push_back(grid.cells[cells[i]]);
                    continue;
                }
                const Mask common = grid.cells[cells[i]] & digits;
                for (int d = 1; d <= 9; ++d)
                    if (Holds(common, d)) step.strikes.push_back({cells[i], d});
            }
            if (step.strikes.empty()) return true;
            step.units = {unit};
            step.digits = digits;
            finder.Add(std::move(step));
            return true;
        });
        if (finder.Done()) return;
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
        ForEachSubsetOf(open, size, [&](unsigned chosen) {
            if (finder.Done()) return false;
            const Mask digits = static_cast<Mask>(chosen);
            unsigned where = 0;
            for (unsigned w = chosen; w; w &= w - 1) where |= places[std::countr_zero(w) + 1];
            if (CountOf(where) != size) return true;
            // As for naked subsets: struck before, passed over unbuilt.
            Mask held = 0;
            for (int i = 0; i < 9; ++i)
                if (where & (1u << i)) held |= grid.cells[cells[i]];
            if (!(held & static_cast<Mask>(~digits))) return true;
            Step step{HiddenTechnique(size)};
            for (int i = 0; i < 9; ++i) {
                if (!(where & (1u << i))) continue;
                step.cells.push_back(cells[i]);
                step.held.push_back(grid.cells[cells[i]]);
                const Mask others = grid.cells[cells[i]] & static_cast<Mask>(~digits);
                for (int d = 1; d <= 9; ++d)
                    if (Holds(others, d)) step.strikes.push_back({cells[i], d});
            }
            if (step.strikes.empty()) return true;
            step.units = {unit};
            step.digits = digits;
            finder.Add(std::move(step));
            return true;
        });
        if (finder.Done()) return;
    }
}

}  // namespace quillet::solving
