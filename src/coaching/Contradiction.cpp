#include "coaching/Contradiction.h"

#include "board/BoardGeometry.h"

namespace quillet::coaching {

using solving::CountOf;
using solving::LowestDigit;
using solving::Mask;

std::optional<Contradiction> ContradictionOf(const solving::Grid& grid) {
    for (int cell = 0; cell < kCellCount; ++cell)
        if (grid.cells[cell] == 0) return Contradiction{Contradiction::Kind::kEmptyCell, {cell}};
    // Rows, columns, then boxes; digits in order.
    for (int unit = 0; unit < kUnitCount; ++unit) {
        int solvedAt[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
        Mask seen = 0;
        for (const int cell : UnitCells(unit)) {
            const Mask m = grid.cells[cell];
            seen |= m;
            if (CountOf(m) != 1) continue;
            const int digit = LowestDigit(m);
            if (solvedAt[digit] >= 0)
                return Contradiction{
                    Contradiction::Kind::kSolvedTwice, {solvedAt[digit], cell}, unit, digit};
            solvedAt[digit] = cell;
        }
        if (seen != solving::kAllDigits)
            return Contradiction{Contradiction::Kind::kNoPlace,
                                 {},
                                 unit,
                                 LowestDigit(static_cast<Mask>(solving::kAllDigits & ~seen))};
    }
    return std::nullopt;
}

}  // namespace quillet::coaching
