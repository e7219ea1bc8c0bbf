#include "aids/AidRounds.h"

#include "aids/CompletionCheck.h"
#include "aids/HiddenSingles.h"

namespace quillet {

AidRoundsOutcome PressAidsInRounds(const CandidateBoard& board, AidButtons& buttons) {
    AidRoundsOutcome outcome;
    // Every press only shortens cell texts, so a round either shortens one
    // or nothing will change any more: the rounds end.
    for (;;) {
        const auto before = board.Cells();
        ++outcome.rounds;
        if (buttons.PressCheck()) {
            outcome.congratulated = true;
            return outcome;
        }
        buttons.PressBoxAid();
        buttons.PressLinesAid();
        if (board.Cells() == before) return outcome;
    }
}

bool AidCommands::PressCheck() {
    bool congratulated = false;
    CheckBoard(state_, path_, [&] { congratulated = true; });
    return congratulated;
}

void AidCommands::PressBoxAid() { SolveAllBoxes(state_, path_); }

void AidCommands::PressLinesAid() { RunLinesAid(state_.Board(), path_); }

AidRoundsOutcome FinishWithAids(BoardState& state, DecidePath& path) {
    AidCommands commands(state, path);
    return PressAidsInRounds(state.Board(), commands);
}

}  // namespace quillet
