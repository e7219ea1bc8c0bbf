#pragma once

#include <optional>

#include "BoardTool.h"
#include "CommandLine.h"
#include "PuzzleMaker.h"
#include "board/CandidateBoard.h"
#include "solving/Step.h"

namespace quillet::board_tool {

// hint FILE.cgd [--apply [-o OUT.cgd]] [--all]
int Hint(const CommandLine& line, ToolStreams& io);
// solve FILE.cgd [--steps] [-o OUT.cgd]
int Solve(const CommandLine& line, ToolStreams& io);
// rate [FILE|-]
int Rate(const CommandLine& line, ToolStreams& io);

// Whether the puzzle's hardest needed technique lies in `level` and the
// steps lead to its solution (`kAids`: whether the window's aids finish it).
bool PuzzleHasLevel(const MadePuzzle& puzzle, solving::Level level);
// Whether the steps lead to the puzzle's solution and its hardest step lies
// from `low` to `high` on the shared scale (SharedScaleRating).
bool PuzzleInScale(const MadePuzzle& puzzle, double low, double high);
// The board's rating on the shared scale as `rate` gives it (its last
// field): none for a board without exactly one solution, or that the steps
// do not finish.
std::optional<double> SharedScaleOf(const CandidateBoard& board);

}  // namespace quillet::board_tool
