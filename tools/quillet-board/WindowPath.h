#pragma once

#include "aids/SelectorPath.h"
#include "board/BoardState.h"
#include "board/Informer.h"

namespace quillet::board_tool {

// The one place where the tool reaches the window's aids, so that the tool's
// commands do to a board exactly what the window's buttons would.

// What pressing "OK?", "解1" and "解2" in turn did to a board.
struct AidOutcome {
    bool congratulated = false;
    int rounds = 0;    // presses of "OK?", the last one included
    int refusals = 0;  // placements refused as the window would have shown
};

// A board as the main window holds it: the board with its line buffer and
// undo, the digit selector and Decide. The boxes it would show are counted.
class WindowBoard {
public:
    CandidateBoard& Board() { return state_.Board(); }
    const CandidateBoard& Board() const { return state_.Board(); }

    // One press of "OK?": every solved cell is placed again in column-major
    // order, striking its digit from its peers; the congratulation is left
    // out. Throws CommandError, as the check does, at a solved cell that is
    // no digit.
    void ApplyCheck();
    // Rounds of "OK?", "解1", "解2" as a user would press them, until "OK?"
    // congratulates or a round changes nothing.
    AidOutcome FinishWithAids();

private:
    CountingInformer informer_;
    BoardState state_{informer_};
    DecidePath path_ = SelectorPath(state_);
};

}  // namespace quillet::board_tool
