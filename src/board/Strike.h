#pragma once

#include <span>

#include "board/BoardSnapshot.h"
#include "board/CandidateBoard.h"

namespace quillet {

// Strikes candidates on a plain board as one step: every digit of `digits`
// (1..9) from every cell of `cells` that holds it. The board is first kept in
// `before`, when one is given (the line buffer, for undo). Returns false, with
// nothing changed, when a digit is not 1..9, a cell is off the board, nothing
// would be struck, or a cell that holds something would be left empty: striking is for candidates,
// and emptying a cell is never a step of solving.
bool StrikeCandidatesOnBoard(CandidateBoard& board, std::span<const CellPos> cells,
                             std::span<const int> digits, BoardSnapshot* before = nullptr);

}  // namespace quillet
