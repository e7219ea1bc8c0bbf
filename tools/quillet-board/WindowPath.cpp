#include "WindowPath.h"

#include "aids/AidRounds.h"
#include "aids/CompletionCheck.h"
#include "aids/SelectorPath.h"
#include "board/BoardState.h"

namespace quillet::board_tool {

namespace {

// The main window's state around a copy of the board; the boxes it would
// show are only counted.
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

bool PlaceAsDecide(CandidateBoard& board, CellPos cell, int digit) {
    // The selector holds 1..9 only; another digit would be placed as its
    // clamped neighbour.
    if (digit < 1 || digit > 9) return false;
    Session session(board);
    session.state.Board().SetSelection(cell);
    session.path.SetSelectorValue(digit);
    session.path.Decide();
    // A refusal shows no box here; it only marks the placement as not done.
    if (session.informer.count > 0) return false;
    session.CopyBack(board);
    return true;
}

void ApplyStepToBoard(const solving::Step& step, CandidateBoard& board) {
    if (step.placeCell >= 0) PlaceAsDecide(board, solving::PosOf(step.placeCell), step.placeDigit);
    for (const solving::Strike& strike : step.strikes)
        board.RemoveDigitFromCell(solving::PosOf(strike.cell), DigitText(strike.digit));
}

}  // namespace quillet::board_tool
