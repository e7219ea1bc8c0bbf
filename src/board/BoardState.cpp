#include "board/BoardState.h"

#include "board/Placement.h"

namespace quillet {

void BoardState::SetUndoAvailable(bool available) {
    if (available == undoAvailable_) return;
    undoAvailable_ = available;
    if (onUndoChanged_) onUndoChanged_(available);
}

bool BoardState::PlaceDigit(int d) {
    if (!PlaceDigitOnBoard(board_, board_.Selection(), d, &snapshot_)) {
        informer_.Inform(kCannotPlaceMessage);
        return false;
    }
    SetUndoAvailable(true);
    return true;
}

bool BoardState::StrikeCandidates(std::span<const Candidate> strikes) {
    if (!StrikeCandidatesOnBoard(board_, strikes, &snapshot_)) {
        informer_.Inform(kCannotStrikeMessage);
        return false;
    }
    SetUndoAvailable(true);
    return true;
}

void BoardState::UndoLast() {
    snapshot_.RestoreBoard(board_);
    SetUndoAvailable(false);
}

}  // namespace quillet
