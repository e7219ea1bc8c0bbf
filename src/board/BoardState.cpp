#include "board/BoardState.h"

namespace quillet {

void BoardState::SetUndoAvailable(bool available) {
    if (available == undoAvailable_) return;
    undoAvailable_ = available;
    if (onUndoChanged_) onUndoChanged_(available);
}

bool BoardState::PlaceDigit(int d) {
    const CellPos at = board_.Selection();
    const std::string t = DigitText(d);
    // Only a single digit can be placed: a longer text would be written into
    // the cell and then struck from it again by the box step.
    if (d < 1 || d > 9 || !Contains(board_.Cell(at), t)) {
        informer_.Inform(kCannotPlaceMessage);
        return false;
    }

    snapshot_.CaptureBoard(board_);
    SetUndoAvailable(true);

    board_.SetCell(at, t);
    for (int c = 1; c <= 9; ++c)
        if (c != at.col) board_.RemoveDigitFromCell({c, at.row}, t);
    for (int r = 1; r <= 9; ++r)
        if (r != at.row) board_.RemoveDigitFromCell({at.col, r}, t);

    // Cells of length 0 or 1 are spared: that keeps the placed cell, and a
    // solved twin inside the box, as they are.
    const int bc = BoxOrigin(at.col);
    const int br = BoxOrigin(at.row);
    for (int c = bc; c <= bc + 2; ++c) {
        for (int r = br; r <= br + 2; ++r) {
            if (board_.Cell({c, r}).size() > 1) board_.RemoveDigitFromCell({c, r}, t);
        }
    }
    return true;
}

void BoardState::UndoLast() {
    snapshot_.RestoreBoard(board_);
    SetUndoAvailable(false);
}

}  // namespace quillet
