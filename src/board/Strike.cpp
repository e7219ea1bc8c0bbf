#include "board/Strike.h"

namespace quillet {

bool StrikeCandidatesOnBoard(CandidateBoard& board, std::span<const Candidate> strikes,
                             BoardSnapshot* before) {
    // Worked out on a copy first, so that a refused strike leaves the board
    // and the line buffer untouched.
    std::array<CandidateString, kCellCount> after = board.Cells();
    for (const Candidate& strike : strikes) {
        if (strike.cell < 0 || strike.cell >= kCellCount || strike.digit < 1 || strike.digit > 9)
            return false;
        CandidateString& text = after[strike.cell];
        text = RemoveDigit(text, DigitText(strike.digit));
    }
    bool strikesAny = false;
    for (int k = 0; k < kCellCount; ++k) {
        const CandidateString& now = board.Cells()[k];
        if (after[k] == now) continue;
        if (after[k].empty()) return false;
        strikesAny = true;
    }
    if (!strikesAny) return false;
    if (before) before->CaptureBoard(board);
    for (int k = 0; k < kCellCount; ++k)
        if (after[k] != board.Cells()[k]) board.SetCell(CellOfColumnMajor(k), after[k]);
    return true;
}

}  // namespace quillet
