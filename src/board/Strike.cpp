#include "board/Strike.h"

namespace quillet {

bool StrikeCandidatesOnBoard(CandidateBoard& board, std::span<const CellPos> cells,
                             std::span<const int> digits, BoardSnapshot* before) {
    for (const int d : digits)
        if (d < 1 || d > 9) return false;
    // Checked on the texts the strike would leave, before anything is written,
    // so a refused strike leaves the board and the line buffer untouched.
    bool strikesAny = false;
    for (const CellPos at : cells) {
        if (!at.IsOnBoard()) return false;
        CandidateString left = board.Cell(at);
        for (const int d : digits) left = RemoveDigit(left, DigitText(d));
        if (left.empty() && !board.Cell(at).empty()) return false;
        strikesAny = strikesAny || left != board.Cell(at);
    }
    if (!strikesAny) return false;
    if (before) before->CaptureBoard(board);
    for (const CellPos at : cells) {
        CandidateString left = board.Cell(at);
        for (const int d : digits) left = RemoveDigit(left, DigitText(d));
        if (left != board.Cell(at)) board.SetCell(at, left);
    }
    return true;
}

}  // namespace quillet
