#pragma once

#include "board/BoardSnapshot.h"
#include "board/CandidateBoard.h"

namespace quillet {

// The placement rule on a plain board, the one every placement follows: the
// window's through BoardState, the command-line tool's steps directly.
//
// Places d (1..9) at `at` when the cell's text holds it. The board is first
// kept in `before`, when one is given (the line buffer, for undo); then d is
// written into the cell and struck from every other cell of its row and its
// column, whatever they hold, and from the cells of its box that hold more
// than one character, which spares a solved twin there. Returns false, with
// nothing changed, when the cell does not hold d.
bool PlaceDigitOnBoard(CandidateBoard& board, CellPos at, int d, BoardSnapshot* before = nullptr);

}  // namespace quillet
