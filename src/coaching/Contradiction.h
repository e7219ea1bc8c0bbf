#pragma once

#include <optional>
#include <string>
#include <vector>

#include "solving/Grid.h"

namespace quillet::coaching {

// Why a board cannot be solved, as the coach draws and names it: a cell
// without candidates, a digit solved twice in a unit, or a unit with no place
// left for a digit. The first found, in that order, as the solver looks.
struct Contradiction {
    enum class Kind { kEmptyCell, kSolvedTwice, kNoPlace };
    Kind kind = Kind::kEmptyCell;
    std::vector<int> cells;  // the empty cell, or the two holding the digit
    int unit = -1;
    int digit = 0;
};

std::optional<Contradiction> ContradictionOf(const solving::Grid& grid);

}  // namespace quillet::coaching
