#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "board/BoardGeometry.h"

namespace quillet {

// A board file holds 81 lines, one cell each, in the column-major order of
// the line buffer.
inline constexpr std::size_t kBoardLineCount = kCellCount;

// The most file text the line buffer takes in. A saved board stays far below
// it (81 lines of at most 4096 bytes); anything larger is refused unread.
inline constexpr std::size_t kBoardTextLimit = std::size_t{1} << 20;

// Each line followed by CR LF, its bytes as held.
std::string JoinBoardText(const std::vector<std::string>& lines);

// Splits at CR LF, lone CR and lone LF (LF CR is two line ends); a last line
// without an ending counts. The text ends at the first zero byte. Each line
// keeps at most its first BoardSnapshot::kLineReadCap bytes, and only the
// first kBoardLineCount lines are kept.
std::vector<std::string> SplitBoardText(std::string_view text);

// Whether `text` could be a saved board: kBoardLineCount lines, each ended by
// CR LF, with no other CR, LF or zero byte and within kBoardTextLimit.
bool IsSavedBoardText(std::string_view text);

}  // namespace quillet
