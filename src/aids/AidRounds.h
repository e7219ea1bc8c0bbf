#pragma once

#include <functional>

#include "aids/DecidePath.h"
#include "board/BoardState.h"

namespace quillet {

// The three buttons a round of the aids presses: "OK?", "解1", "解2".
struct AidButtons {
    // "OK?"; returns whether it congratulated.
    std::function<bool()> PressCheck;
    // "解1"
    std::function<void()> PressBoxAid;
    // "解2"
    std::function<void()> PressLinesAid;
};

struct AidRoundsOutcome {
    bool congratulated = false;
    int rounds = 0;  // presses of "OK?", the last one included
};

// Presses "OK?", "解1" and "解2" in turn, as a user finishing a puzzle with
// the aids does, until "OK?" congratulates or a round leaves every cell of
// `board` (the one the buttons work on) as it was.
AidRoundsOutcome PressAidsInRounds(const CandidateBoard& board, const AidButtons& buttons);

// The three buttons as the main window runs them, on a board without a
// window: the check, SolveAllBoxes, RunLinesAid. The check's CommandError at
// a solved cell that is no digit ends the rounds.
AidButtons AidCommands(BoardState& state, const DecidePath& path);

// PressAidsInRounds with AidCommands.
AidRoundsOutcome FinishWithAids(BoardState& state, const DecidePath& path);

}  // namespace quillet
