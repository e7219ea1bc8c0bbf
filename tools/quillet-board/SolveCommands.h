#pragma once

#include "BoardTool.h"
#include "CommandLine.h"
#include "PuzzleMaker.h"
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

}  // namespace quillet::board_tool
