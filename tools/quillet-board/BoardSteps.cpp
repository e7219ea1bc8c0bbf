#include "BoardSteps.h"

#include "board/Placement.h"
#include "files/Escaped.h"

namespace quillet::board_tool {

void ApplyStepToBoard(const solving::Step& step, CandidateBoard& board, const std::string& label) {
    if (step.placeCell >= 0) {
        const CellPos at = CellOfColumnMajor(step.placeCell);
        if (!PlaceDigitOnBoard(board, at, step.placeDigit))
            throw StepRefused("the board refuses " + label + " (" +
                              solving::TechniqueName(step.technique) + "): " + CellName(at) +
                              " holds " + Quoted(board.Cell(at)) + ", not " +
                              std::to_string(step.placeDigit));
    }
    for (const Candidate& strike : step.strikes)
        board.RemoveDigitFromCell(CellOfColumnMajor(strike.cell), DigitText(strike.digit));
}

void ApplyStepInWindow(const solving::Step& step, WindowLink& window) {
    bool taken = true;
    if (step.placeCell >= 0)
        taken = window.Place(CellOfColumnMajor(step.placeCell), step.placeDigit);
    if (taken && !step.strikes.empty()) {
        taken = window.Strike(step.strikes);
    }
    if (!taken)
        throw StepRefused(std::string("the window refuses the step (") +
                          solving::TechniqueName(step.technique) + "); its box tells why");
}

solving::SolveOutcome SolveOnBoard(CandidateBoard& board, solving::Grid& grid,
                                   const std::function<void(int, const solving::Step&)>& shown) {
    int n = 0;
    const solving::Grid start = grid;
    return solving::Solve(grid, [&](const solving::Step& step) {
        const bool given = solving::ClearsAGiven(step, start);
        n += given ? 0 : 1;
        if (shown) shown(given ? 0 : n, step);
        ApplyStepToBoard(step, board, given ? "a given" : "step " + std::to_string(n));
    });
}

}  // namespace quillet::board_tool
