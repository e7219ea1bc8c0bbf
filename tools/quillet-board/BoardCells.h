#pragma once

#include <string>

#include "board/CandidateBoard.h"
#include "files/PuzzleText.h"

namespace quillet::board_tool {

// Puzzle texts run row by row (RowMajorIndex), board files column by column
// (ColumnMajorIndex). The 1-based line of a board file that holds the cell:
inline int BoardFileLine(CellPos p) { return ColumnMajorIndex(p) + 1; }

void PutCells(const RowMajorCells& cells, CandidateBoard& board);
RowMajorCells TakeCells(const CandidateBoard& board);

// The bytes of a board file holding the board.
std::string BoardFileText(const CandidateBoard& board);

// Writes a board file, replacing any file of that name whole. Throws
// InputError when it cannot.
void SaveBoardFile(const std::string& path, const CandidateBoard& board);

// Reads a board file as the program's "Load" does, except that a file of
// fewer than 81 lines is refused: it is not a board. Throws InputError.
void LoadBoardFile(const std::string& path, CandidateBoard& board);

}  // namespace quillet::board_tool
