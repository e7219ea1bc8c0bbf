#pragma once

#include "solving/Grid.h"

namespace quillet::solving {

// How many ways the grid's candidates can be completed, counted up to
// `limit`: 0 (none), 1, or `limit` for that many or more. A search, not a
// deduction: it tells whether a puzzle is sound and is never shown as a step.
int CountSolutions(const Grid& grid, int limit = 2);

// The one completion of the candidates, when there is exactly one.
bool FindOnlySolution(const Grid& grid, Grid& solution);

}  // namespace quillet::solving
