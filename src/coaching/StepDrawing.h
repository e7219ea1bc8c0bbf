#pragma once

#include <vector>

#include "solving/Grid.h"
#include "solving/Step.h"

namespace quillet::coaching {

// A link of a wing or chain between two candidates: strong when one of the
// two must be true, weak when not both can be.
struct Link {
    Candidate from;
    Candidate to;
    bool strong = false;
    friend bool operator==(const Link&, const Link&) = default;
};

// What the coach draws of a step: the pattern's cells and units shaded, its
// candidates marked, the links as lines, the struck candidates and the placed
// digit each in a colour of its own.
struct StepDrawing {
    std::vector<int> cells;
    std::vector<int> units;
    std::vector<Candidate> marks;
    std::vector<Link> links;
    std::vector<Candidate> strikes;
    int placeCell = -1;
    int placeDigit = 0;
};

// The drawing of `step`, found on `grid`.
StepDrawing DrawingOf(const solving::Step& step, const solving::Grid& grid);

}  // namespace quillet::coaching
