#pragma once

#include "BoardTool.h"
#include "CommandLine.h"

namespace quillet::board_tool {

// print [-o FILE.pdf | --printer NAME] [--per-page N] [--paper a4|letter]
//       [--candidates] [--rating] [--title TEXT] [FILE ... | - | --window]
int Print(const CommandLine& line, ToolStreams& io);

}  // namespace quillet::board_tool
