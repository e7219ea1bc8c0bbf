#pragma once

#include <iosfwd>
#include <string>

#include "BoardTool.h"
#include "CommandLine.h"
#include "ToolErrors.h"
#include "board/CandidateBoard.h"
#include "files/PuzzleText.h"

namespace quillet::board_tool {

// Hands each puzzle of FILE, or of `in` for "-", to `take` as the text is
// read, in constant memory. Throws InputError.
void ReadInputPuzzles(const std::string& operand, std::istream& in, const PuzzleSink& take);

// Writes the board file `out`, or the board's file text to `stream` for "-".
void WriteBoard(const std::string& out, const CandidateBoard& board, std::ostream& stream);

// Loads the board of the command: its board file, or with --window the open
// window's (io.window). Returns the name its messages go by.
std::string LoadCommandBoard(const CommandLine& line, ToolStreams& io, CandidateBoard& board);

// Runs `work`, putting `name` in front of the message of any bad input.
template <typename Work>
auto Named(const std::string& name, Work work) {
    try {
        return work();
    } catch (const InputError& e) {
        throw InputError(name + ": " + e.what());
    }
}

}  // namespace quillet::board_tool
