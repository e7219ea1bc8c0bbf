#include "WindowPath.h"

#include "AidRounds.h"
#include "aids/SelectorPath.h"
#include "board/BoardState.h"

namespace quillet::board_tool {

namespace {

// A refusal shows no box here; it only marks the placement as not done.
class RefusalFlag : public Informer {
public:
    void Inform(const std::string&) override { refused = true; }
    bool refused = false;
};

}  // namespace

bool PlaceAsDecide(CandidateBoard& board, CellPos cell, int digit) {
    // The selector holds 1..9 only; another digit would be placed as its
    // clamped neighbour.
    if (digit < 1 || digit > 9) return false;
    RefusalFlag informer;
    BoardState state(informer);
    ForEachCellColumnMajor([&](CellPos p) { state.Board().SetCell(p, board.Cell(p)); });
    state.Board().SetSelection(cell);
    SelectorPath path(state);
    path.SetSelectorValue(digit);
    path.Decide();
    if (informer.refused) return false;
    ForEachCellColumnMajor([&](CellPos p) { board.SetCell(p, state.Board().Cell(p)); });
    return true;
}

bool RunWindowAids(CandidateBoard& board) { return FinishWithAids(board).congratulated; }

void ApplyStepToBoard(const solving::Step& step, CandidateBoard& board) {
    if (step.placeCell >= 0) PlaceAsDecide(board, solving::PosOf(step.placeCell), step.placeDigit);
    for (const solving::Strike& strike : step.strikes)
        board.RemoveDigitFromCell(solving::PosOf(strike.cell), DigitText(strike.digit));
}

}  // namespace quillet::board_tool
