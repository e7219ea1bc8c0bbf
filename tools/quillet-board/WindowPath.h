#pragma once

#include "board/CandidateBoard.h"
#include "solving/Step.h"

namespace quillet::board_tool {

// The one place where the tool reaches the window's placement and its aids,
// so that the tool's commands do to a board exactly what the window would.

// What pressing "OK?", "解1" and "解2" in turn did to a board.
struct AidOutcome {
    bool congratulated = false;
    int rounds = 0;    // presses of "OK?", the last one included
    int refusals = 0;  // placements refused as the window would have shown
};

// One press of "OK?": every solved cell is placed again in column-major order,
// striking its digit from its peers; the congratulation is left out.
// Throws CommandError, as the check does, at a solved cell that is no digit.
void ApplyCheck(CandidateBoard& board);

// Rounds of "OK?", "解1", "解2" as a user would press them, until "OK?"
// congratulates or a round changes nothing.
AidOutcome FinishWithAids(CandidateBoard& board);

// Selects `cell` and places `digit` as "決定" does: the digit written and
// struck along its row, column and box. False, with nothing changed, when
// the cell does not hold the digit.
bool PlaceAsDecide(CandidateBoard& board, CellPos cell, int digit);

// Does a solver's step to the board's texts: a placement through
// PlaceAsDecide, a strike by deleting the digit from the cell's text.
void ApplyStepToBoard(const solving::Step& step, CandidateBoard& board);

}  // namespace quillet::board_tool
