#pragma once

#include <string>
#include <vector>

#include "board/CandidateBoard.h"

namespace quillet::board_tool {

// A fault of a board, at a cell and a character of its text (1-based).
struct BoardFault {
    CellPos cell;
    int column = 1;
    std::string what;
};

// Cells from which every candidate is gone, texts that are not a set of
// digits 1-9, and a solved digit twice in a row, column or box. Column-major
// order; of two cells solved alike the later one is named.
std::vector<BoardFault> FindContradictions(const CandidateBoard& board);

// How many ways the board's candidates can be completed, in words: "no
// solution", "one solution" or "several solutions" (counted to two); the
// empty text when a cell's text is not a set of digits 1-9.
std::string SolutionsInWords(const CandidateBoard& board);

// Solved cells whose digit a peer (a cell of the same row, column or box)
// still holds as a candidate: eliminations that "OK?" would still make.
int CountPendingEliminations(const CandidateBoard& board);

}  // namespace quillet::board_tool
