#include "board/Placement.h"

namespace quillet {

bool PlaceDigitOnBoard(CandidateBoard& board, CellPos at, int d, BoardSnapshot* before) {
    const std::string t = DigitText(d);
    // Only a single digit can be placed: a longer text would be written into
    // the cell and then struck from it again by the box step.
    if (d < 1 || d > 9 || !Contains(board.Cell(at), t)) return false;
    if (before) before->CaptureBoard(board);

    board.SetCell(at, t);
    for (int c = 1; c <= 9; ++c)
        if (c != at.col) board.RemoveDigitFromCell({c, at.row}, t);
    for (int r = 1; r <= 9; ++r)
        if (r != at.row) board.RemoveDigitFromCell({at.col, r}, t);

    // Cells of length 0 or 1 are spared: that keeps the placed cell, and a
    // solved twin inside the box, as they are.
    const int bc = BoxOrigin(at.col);
    const int br = BoxOrigin(at.row);
    for (int c = bc; c <= bc + 2; ++c) {
        for (int r = br; r <= br + 2; ++r) {
            if (board.Cell({c, r}).size() > 1) board.RemoveDigitFromCell({c, r}, t);
        }
    }
    return true;
}

}  // namespace quillet
