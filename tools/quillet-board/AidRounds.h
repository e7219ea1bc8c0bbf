#pragma once

#include "board/CandidateBoard.h"

namespace quillet::board_tool {

// What pressing "OK?", "解1" and "解2" in turn did to a board.
struct AidOutcome {
    bool congratulated = false;
    int rounds = 0;    // presses of "OK?", the last one included
    int refusals = 0;  // placements refused as the window would have shown
};

// One press of "OK?": every solved cell is placed again in column-major order,
// striking its digit from its peers; the congratulation is left out.
// Throws CommandError, as the check does, at a solved cell that is no digit.
void ApplyCheck(CandidateBoard& board);

// Rounds of "OK?", "解1", "解2" as a user would press them, until "OK?"
// congratulates or a round changes nothing.
AidOutcome FinishWithAids(CandidateBoard& board);

}  // namespace quillet::board_tool
