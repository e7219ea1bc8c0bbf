#pragma once

#include <span>

#include "board/BoardSnapshot.h"
#include "board/Candidate.h"
#include "board/CandidateBoard.h"

namespace quillet {

// Strikes candidates on a plain board as one step: each digit from its cell,
// as a step of solving lists them (any digits from any cells). The board is
// first kept in `before`, when one is given (the line buffer, for undo). A
// cell that does not hold its digit is left as it is. Returns false, with
// nothing changed, when a digit is not 1..9, a cell is off the board, nothing
// would be struck, or a cell that holds something would be left empty:
// striking is for candidates, and emptying a cell is never a step of solving.
bool StrikeCandidatesOnBoard(CandidateBoard& board, std::span<const Candidate> strikes,
                             BoardSnapshot* before = nullptr);

}  // namespace quillet
