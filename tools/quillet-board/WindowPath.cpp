#include "WindowPath.h"

#include "aids/AidRounds.h"
#include "aids/CompletionCheck.h"

namespace quillet::board_tool {

void WindowBoard::ApplyCheck() {
    CheckBoard(state_, path_, [] {});
}

AidOutcome WindowBoard::FinishWithAids() {
    const AidRoundsOutcome rounds = quillet::FinishWithAids(state_, path_);
    return {rounds.congratulated, rounds.rounds, informer_.count};
}

}  // namespace quillet::board_tool
