#pragma once

#include <optional>

#include "solving/Solver.h"

namespace quillet::coaching {

// Why a board cannot be solved, as the coach draws and names it: the
// solver's own finding, with its cells, unit and digit.
using solving::Contradiction;

inline std::optional<Contradiction> ContradictionOf(const solving::Grid& grid) {
    return solving::ContradictionIn(grid);
}

}  // namespace quillet::coaching
