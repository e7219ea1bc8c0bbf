#pragma once

#include "aids/DecidePath.h"
#include "board/BoardState.h"

namespace quillet {

// The three buttons a round of the aids presses: "OK?", "解1", "解2".
class AidButtons {
public:
    virtual ~AidButtons() = default;
    // "OK?"; returns whether it congratulated.
    virtual bool PressCheck() = 0;
    // "解1"
    virtual void PressBoxAid() = 0;
    // "解2"
    virtual void PressLinesAid() = 0;
};

struct AidRoundsOutcome {
    bool congratulated = false;
    int rounds = 0;  // presses of "OK?", the last one included
};

// Presses "OK?", "解1" and "解2" in turn, as a user finishing a puzzle with
// the aids does, until "OK?" congratulates or a round leaves every cell of
// `board` (the one the buttons work on) as it was.
AidRoundsOutcome PressAidsInRounds(const CandidateBoard& board, AidButtons& buttons);

// The three buttons as the main window runs them, on a board without a
// window: the check, SolveAllBoxes, RunLinesAid. The check's CommandError at
// a solved cell that is no digit ends the rounds.
class AidCommands : public AidButtons {
public:
    AidCommands(BoardState& state, DecidePath& path) : state_(state), path_(path) {}

    bool PressCheck() override;
    void PressBoxAid() override;
    void PressLinesAid() override;

private:
    BoardState& state_;
    DecidePath& path_;
};

// PressAidsInRounds with AidCommands.
AidRoundsOutcome FinishWithAids(BoardState& state, DecidePath& path);

}  // namespace quillet
