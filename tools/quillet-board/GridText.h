#pragma once

#include <string>

#include "files/PuzzleText.h"

namespace quillet::board_tool {

// The solved cells as one line of 81 characters, "." for every other cell.
std::string LineText(const RowMajorCells& cells);
// The same as 9 lines of 9 characters.
std::string CompactGridText(const RowMajorCells& cells);

enum class GridStyle { kAscii, kBoxDrawing };

// Every cell's text in an aligned grid with box borders, as ReadPuzzles reads
// it back; a cell without candidates shows as kNoCandidateToken.
std::string PencilGridText(const RowMajorCells& cells);
// The grid for reading on a terminal: bytes that are not printable ASCII show
// as \xNN, so that no cell text can steer the terminal.
std::string DisplayGridText(const RowMajorCells& cells, GridStyle style);

}  // namespace quillet::board_tool
