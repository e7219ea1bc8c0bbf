#pragma once

#include <functional>
#include <span>

#include "board/BoardSnapshot.h"
#include "board/CandidateBoard.h"
#include "board/Informer.h"
#include "board/Strike.h"

namespace quillet {

inline constexpr const char* kCannotPlaceMessage = "その数字は入力できません。";
inline constexpr const char* kCannotStrikeMessage = "その候補は消せません。";

// The board with its line buffer and the one-step undo: what a placement
// reads and writes.
class BoardState {
public:
    using UndoChangedHandler = std::function<void(bool available)>;

    explicit BoardState(Informer& informer) : informer_(informer) {}

    CandidateBoard& Board() { return board_; }
    const CandidateBoard& Board() const { return board_; }
    BoardSnapshot& Snapshot() { return snapshot_; }
    const BoardSnapshot& Snapshot() const { return snapshot_; }

    bool UndoAvailable() const { return undoAvailable_; }
    void SetUndoAvailable(bool available);
    void SetUndoChangedHandler(UndoChangedHandler handler) { onUndoChanged_ = std::move(handler); }

    // Places d in the selected cell by the placement rule (board/Placement.h),
    // keeping the board before it in the line buffer; undo is then available.
    // Returns false, after informing the user, when d is not a digit 1..9 or
    // the cell does not hold it; nothing is changed then.
    bool PlaceDigit(int d);
    // Strikes candidates as one step by the rule of board/Strike.h, keeping
    // the board before it in the line buffer, as a placement does; undo is then
    // available. Returns false, after informing the user, when the rule refuses.
    bool StrikeCandidates(std::span<const Candidate> strikes);
    // Restores the board from the line buffer; undo is then no longer available.
    void UndoLast();

private:
    Informer& informer_;
    CandidateBoard board_;
    BoardSnapshot snapshot_;
    bool undoAvailable_ = false;
    UndoChangedHandler onUndoChanged_;
};

}  // namespace quillet
