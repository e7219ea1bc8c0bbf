#include "aids/AidRounds.h"

#include "aids/CompletionCheck.h"
#include "aids/HiddenSingles.h"

namespace quillet {

AidRoundsOutcome PressAidsInRounds(const CandidateBoard& board, const AidButtons& buttons) {
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

AidButtons AidCommands(BoardState& state, const DecidePath& path) {
    return {[&state, path] {
                bool congratulated = false;
                CheckBoard(state, path, [&] { congratulated = true; });
                return congratulated;
            },
            [&state, path] { SolveAllBoxes(state, path); },
            [&state, path] { RunLinesAid(state.Board(), path); }};
}

AidRoundsOutcome FinishWithAids(BoardState& state, const DecidePath& path) {
    return PressAidsInRounds(state.Board(), AidCommands(state, path));
}

}  // namespace quillet
