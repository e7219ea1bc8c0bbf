#pragma once

#include <vector>

#include "board/Candidate.h"
#include "solving/Grid.h"
#include "solving/Step.h"

namespace quillet::coaching {

using solving::Group;
using solving::Link;

// What the coach draws of a step, or of one case of its proof: the pattern's
// cells and units shaded, its groups each in a colour of their own, its
// candidates marked, the links as lines, what the case makes true and false,
// the struck candidates and the placed digit each in a colour of its own.
struct StepDrawing {
    std::vector<int> cells;
    std::vector<int> units;
    std::vector<Group> groups;
    std::vector<Candidate> marks;
    std::vector<Candidate> madeTrue;    // placed by the case shown
    std::vector<Candidate> madeFalse;   // struck by it
    std::vector<Candidate> byInnerNet;  // struck by it as supposing them contradicts itself
    std::vector<Link> links;
    bool implications = false;  // each link leads from a fact to one it gives: an arrow
    std::vector<Candidate> strikes;
    int placeCell = -1;
    int placeDigit = 0;
};

// The drawing of the step's pattern: the whole step, or for a forcing chain
// or net its conclusion (the cells of its cases and what it does).
StepDrawing DrawingOf(const solving::Step& step);

// The drawing of one case of a forcing chain's or net's proof (or of its
// supposition): its facts, each linked from those it rests on, and where it
// ends, a contradiction or the fact every case reaches.
StepDrawing CaseDrawing(const solving::Step& step, int index);

}  // namespace quillet::coaching
