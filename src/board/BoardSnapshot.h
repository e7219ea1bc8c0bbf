#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "board/CandidateBoard.h"

namespace quillet {

// The one line buffer of the program. It holds the board before the last
// placement (for undo) and carries boards to and from files. Line k is cell
// CellOfColumnMajor(k): column-major, as in a board file.
class BoardSnapshot {
public:
    static constexpr std::size_t kLineReadCap = 4096;

    void Clear() { lines_.clear(); }
    void Append(std::string line) { lines_.push_back(std::move(line)); }
    // At most the first kLineReadCap bytes of line k; empty past the end.
    std::string_view Line(std::size_t k) const;
    std::size_t Count() const { return lines_.size(); }
    const std::vector<std::string>& Lines() const { return lines_; }

    // Replaces the content with the 81 cells in column-major order.
    void CaptureBoard(const CandidateBoard& board);
    // Writes line ColumnMajorIndex(p) into every cell p.
    void RestoreBoard(CandidateBoard& board) const;

private:
    std::vector<std::string> lines_;
};

}  // namespace quillet
