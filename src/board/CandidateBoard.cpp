#include "board/CandidateBoard.h"

namespace quillet {

std::string DigitText(int d) { return std::to_string(d); }

CandidateString RemoveDigit(std::string_view text, std::string_view digit) {
    const auto at = text.find(digit);
    CandidateString result(text);
    if (at != std::string_view::npos) result.erase(at, digit.size());
    return result;
}

CandidateBoard::CandidateBoard() { cells_.fill(CandidateString(FULL_SET)); }

const CandidateString& CandidateBoard::Cell(CellPos pos) const {
    static const CandidateString kNoCell;
    return pos.IsOnBoard() ? cells_[ColumnMajorIndex(pos)] : kNoCell;
}

void CandidateBoard::SetCell(CellPos pos, std::string_view text) {
    if (!pos.IsOnBoard()) return;
    cells_[ColumnMajorIndex(pos)].assign(text);
    if (onWritten_) onWritten_(pos);
}

void CandidateBoard::RemoveDigitFromCell(CellPos pos, std::string_view digit) {
    if (!pos.IsOnBoard()) return;
    CandidateString& cell = cells_[ColumnMajorIndex(pos)];
    if (const auto at = cell.find(digit); at != CandidateString::npos) cell.erase(at, digit.size());
    if (onWritten_) onWritten_(pos);
}

void CandidateBoard::ResetAll() {
    ForEachCellColumnMajor([this](CellPos p) { SetCell(p, FULL_SET); });
}

void CandidateBoard::ResetCell() { SetCell(selection_, FULL_SET); }

}  // namespace quillet
