#include "board/BoardSnapshot.h"

namespace quillet {

std::string_view BoardSnapshot::Line(std::size_t k) const {
    if (k >= lines_.size()) return {};
    return std::string_view(lines_[k]).substr(0, kLineReadCap);
}

void BoardSnapshot::CaptureBoard(const CandidateBoard& board) {
    // Lines are overwritten in place: their storage outlives each snapshot.
    lines_.resize(kCellCount);
    std::size_t k = 0;
    ForEachCellColumnMajor([&](CellPos p) { lines_[k++].assign(board.Cell(p)); });
}

void BoardSnapshot::RestoreBoard(CandidateBoard& board) const {
    std::size_t k = 0;
    ForEachCellColumnMajor([&](CellPos p) { board.SetCell(p, Line(k++)); });
}

}  // namespace quillet
