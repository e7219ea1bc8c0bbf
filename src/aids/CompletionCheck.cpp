#include "aids/CompletionCheck.h"

#include "board/CommandError.h"
#include "board/IntegerText.h"

namespace quillet {

void CheckBoard(BoardState& state, const DecidePath& path,
                const std::function<void()>& congratulate) {
    CandidateBoard& board = state.Board();
    const CellPos remembered = board.Selection();
    int solved = 0;
    ForEachCellColumnMajor([&](CellPos p) {
        const CandidateString& cell = board.Cell(p);
        if (cell.size() != 1) return;
        board.SetSelection(p);
        ++solved;
        const std::optional<int> digit = ParseInteger(cell);
        if (!digit)
            throw CommandError(CommandError::Kind::kNotAnInteger,
                               "'" + cell + "' は整数ではありません");
        path.SetSelectorValue(*digit);
        path.Decide();
    });
    board.SetSelection(remembered);
    state.SetUndoAvailable(false);
    if (solved == 81) congratulate();
}

}  // namespace quillet
