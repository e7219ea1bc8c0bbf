#pragma once

#include <iosfwd>
#include <string>

#include "ToolErrors.h"
#include "board/CandidateBoard.h"

namespace quillet::board_tool {

// The whole of FILE, or of `in` for "-", up to 64 MiB. Throws InputError.
std::string ReadInput(const std::string& operand, std::istream& in);

// Writes the board file `out`, or the board's file text to `stream` for "-".
void WriteBoard(const std::string& out, const CandidateBoard& board, std::ostream& stream);

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
