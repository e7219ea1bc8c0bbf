#pragma once

#include "board/CandidateBoard.h"
#include "solving/Step.h"

namespace quillet::board_tool {

// The one place where the tool reaches the window's placement and its aids,
// so that the solving commands do to a board exactly what the window would.

// Selects `cell` and places `digit` as "決定" does: the digit written and
// struck along its row, column and box. False, with nothing changed, when
// the cell does not hold the digit.
bool PlaceAsDecide(CandidateBoard& board, CellPos cell, int digit);

// Rounds of "OK?", "解1", "解2" until they congratulate or stall: whether they
// finished the board.
bool RunWindowAids(CandidateBoard& board);

// Does a solver's step to the board's texts: a placement through
// PlaceAsDecide, a strike by deleting the digit from the cell's text.
void ApplyStepToBoard(const solving::Step& step, CandidateBoard& board);

}  // namespace quillet::board_tool
