#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "solving/Step.h"

namespace quillet::solving {

// What makes the board impossible: a cell without candidates, a solved digit
// twice in a unit, or a unit with no place left for a digit. The first found,
// cells first, then rows, columns and boxes, digits in order.
struct Contradiction {
    enum class Kind { kEmptyCell, kSolvedTwice, kNoPlace };
    Kind kind = Kind::kEmptyCell;
    std::vector<int> cells;  // the empty cell, or the two holding the digit
    int unit = -1;
    int digit = 0;
};
std::optional<Contradiction> ContradictionIn(const Grid& grid);

// The steps of the simplest technique that finds any, in the order tried:
// one step, or every step of that technique with `all`. None when no
// technique applies (or the grid is solved).
std::vector<Step> NextSteps(const Grid& grid, bool all = false);

// The steps of one technique alone: the first, or every one with `all`.
std::vector<Step> StepsOf(const Grid& grid, Technique technique, bool all = false);

// The steps of the uniqueness techniques are found only on a grid whose
// candidates have exactly one solution; NextSteps and StepsOf count them.

// Whether the step only strikes the digit of a cell already solved in
// `start` (a given) from its peers: the board's housekeeping, not a step
// of the solution.
bool ClearsAGiven(const Step& step, const Grid& start);

struct SolveOutcome {
    bool solved = false;
    std::optional<Contradiction> contradiction;  // why it stopped, when it met one
    int steps = 0;                               // the givens' housekeeping left out
    int solutions = 0;  // of the grid it started from: 0, 1 or 2 for several
    bool used[kTechniqueCount] = {};
    Technique hardest = Technique::kNakedSingle;  // of the steps taken
    // The puzzle's rating on the shared scale (SharedScaleRating) as the
    // scale's own rater finds it: at each point it takes the step it rates
    // lowest, and the puzzle rates as the hardest of those steps. Its way
    // through is its own, beside the steps taken here.
    double sharedScale = 0.0;
    // Whether that way reached the solution. Every step it takes is sound,
    // so on a puzzle with one solution it always does; when it does not,
    // the rating above is of the steps taken here.
    bool ratersWayFinished = false;

    // The difficulty: the rating of the hardest technique needed; 10 for a
    // puzzle these techniques do not finish.
    double Difficulty() const { return solved ? TechniqueRating(hardest) : 10.0; }
};

// Takes steps until the grid is solved, stuck or contradicts itself; each
// step is shown to `onStep` (when given) before it is applied.
SolveOutcome Solve(Grid& grid, const std::function<void(const Step&)>& onStep = {});

}  // namespace quillet::solving
