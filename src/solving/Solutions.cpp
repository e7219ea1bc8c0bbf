#include "solving/Solutions.h"

namespace quillet::solving {

namespace {

// Depth-first: settle what singles force, then try the digits of the cell
// with the fewest, counting completions until `limit`.
class Search {
public:
    explicit Search(int limit) : limit_(limit) {}

    // `struck`: the solved cells whose digit has left their peers already.
    void Run(Grid grid, CellSet struck = {}) {
        if (count_ >= limit_ || !Settle(grid, struck)) return;
        int best = -1, fewest = 10;
        for (int cell = 0; cell < kCellCount; ++cell) {
            const int n = CountOf(grid.cells[cell]);
            if (n > 1 && n < fewest) best = cell, fewest = n;
        }
        if (best < 0) {
            if (++count_ == 1) first_ = grid;
            return;
        }
        for (Mask rest = grid.cells[best]; rest != 0 && count_ < limit_;
             rest &= static_cast<Mask>(rest - 1)) {
            Grid next = grid;
            next.cells[best] = static_cast<Mask>(rest & -rest);
            Run(next, struck);
        }
    }

    int Count() const { return count_; }
    const Grid& First() const { return first_; }

private:
    // Strikes solved digits from their peers and places hidden singles until
    // nothing changes; false on a contradiction. Each solved cell's digit is
    // struck from its peers once.
    static bool Settle(Grid& grid, CellSet& struck) {
        for (bool changed = true; changed;) {
            changed = false;
            for (int cell = 0; cell < kCellCount; ++cell) {
                const Mask m = grid.cells[cell];
                if (m == 0) return false;
                if (CountOf(m) != 1 || struck[cell]) continue;
                struck.set(cell);
                for (const int peer : Peers(cell)) {
                    if ((grid.cells[peer] & m) == 0) continue;
                    if (grid.cells[peer] == m) return false;
                    grid.cells[peer] &= static_cast<Mask>(~m);
                    changed = true;
                }
            }
            for (int unit = 0; unit < kUnitCount; ++unit) {
                Mask once = 0, twice = 0;
                for (const int cell : UnitCells(unit)) {
                    twice |= once & grid.cells[cell];
                    once |= grid.cells[cell];
                }
                if (once != kAllDigits) return false;
                for (const int cell : UnitCells(unit)) {
                    const Mask only = grid.cells[cell] & static_cast<Mask>(~twice);
                    if (only == 0 || grid.cells[cell] == only) continue;
                    if (CountOf(only) > 1) return false;
                    grid.cells[cell] = only;
                    changed = true;
                }
            }
        }
        return true;
    }

    int limit_;
    int count_ = 0;
    Grid first_;
};

}  // namespace

int CountSolutions(const Grid& grid, int limit) {
    Search search(limit);
    search.Run(grid);
    return search.Count();
}

bool FindOnlySolution(const Grid& grid, Grid& solution) {
    Search search(2);
    search.Run(grid);
    if (search.Count() != 1) return false;
    solution = search.First();
    return true;
}

}  // namespace quillet::solving
