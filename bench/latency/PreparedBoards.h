#pragma once

#include <string>
#include <vector>

namespace quillet::bench {

// Boards the latency runner loads before it times a command, as the 81 lines
// of a board file (column-major). Each gives its command real work to do.

// A complete, valid grid: "OK?" places all 81 cells and congratulates.
std::vector<std::string> SolvedBoard();
// 17 digits of SolvedBoard, the other cells holding all nine candidates: a
// press on a given places it and strikes it from at least 17 cells.
std::vector<std::string> PuzzleBoard();
// Every cell without the candidate 5 except where SolvedBoard has its 5s: each
// box, row and column holds 5 in one cell only, so "解1" places a digit in
// all nine boxes and "解2" writes nine.
std::vector<std::string> HiddenFivesBoard();

// Whether the puzzle board has a given at (col, row), both 1..9.
bool IsGiven(int col, int row);
// The digit of the solved grid at (col, row).
int SolutionDigit(int col, int row);

}  // namespace quillet::bench
