#pragma once

#include "aids/DecidePath.h"
#include "board/BoardState.h"

namespace quillet {

// Places every digit that only one cell of the box at (bc, br) holds, through
// the Decide path. A digit already solved there and found nowhere else in the
// box is placed again, which re-applies its eliminations.
void SolveBox(BoardState& state, const DecidePath& path, int bc, int br);
// SolveBox over the nine boxes; the selection is put back afterwards.
void SolveAllBoxes(BoardState& state, const DecidePath& path);
// Writes every digit that only one cell of a row (then of a column) holds
// into that cell as its text. No elimination, no snapshot, no undo change.
void SolveLines(CandidateBoard& board);
// The lines aid as its button runs it: the selector keeps its value.
void RunLinesAid(CandidateBoard& board, const DecidePath& path);

}  // namespace quillet
