#include "AidRounds.h"

#include "aids/AidRounds.h"
#include "aids/CompletionCheck.h"
#include "aids/SelectorPath.h"
#include "board/BoardState.h"

namespace quillet::board_tool {

namespace {

// The main window's state around a copy of the board.
struct Session {
    CountingInformer informer;
    BoardState state{informer};
    SelectorPath path{state};

    explicit Session(const CandidateBoard& board) {
        ForEachCellColumnMajor([&](CellPos p) { state.Board().SetCell(p, board.Cell(p)); });
    }
    void CopyBack(CandidateBoard& board) const {
        ForEachCellColumnMajor([&](CellPos p) { board.SetCell(p, state.Board().Cell(p)); });
    }
};

}  // namespace

void ApplyCheck(CandidateBoard& board) {
    Session session(board);
    CheckBoard(session.state, session.path, [] {});
    session.CopyBack(board);
}

AidOutcome FinishWithAids(CandidateBoard& board) {
    Session session(board);
    const AidRoundsOutcome rounds = quillet::FinishWithAids(session.state, session.path);
    session.CopyBack(board);
    return {rounds.congratulated, rounds.rounds, session.informer.count};
}

}  // namespace quillet::board_tool
