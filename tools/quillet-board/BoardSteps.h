#pragma once

#include <functional>
#include <stdexcept>
#include <string>

#include "WindowLink.h"
#include "board/CandidateBoard.h"
#include "solving/Solver.h"

namespace quillet::board_tool {

// A placement the board refuses: its cell no longer holds the digit. The
// solver's grid and the board's texts would part there, so the command ends
// with this error instead of going on.
class StepRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Does a solver's step to the board's texts, once and in place: a placement
// by the board's own rule (no line buffer, no undo), a strike by deleting the
// digit from the cell's text. Throws StepRefused, naming the step by `label`
// ("step 12"), when the board refuses the placement; nothing is changed then.
void ApplyStepToBoard(const solving::Step& step, CandidateBoard& board,
                      const std::string& label = "the step");

// Does a solver's step in the open window, as its own commands: a placement
// as its pop-up digit, strikes as one step that "戻る" takes back. Throws
// StepRefused when the window refuses it; its box has said why.
void ApplyStepInWindow(const solving::Step& step, WindowLink& window);

// The steps of `solve`: the solver takes them on `grid`, the board's
// candidates, and each is applied to the board as well. `shown` sees each
// step with its number before it is applied to either; the strikes of the
// cells solved at the start (the givens) are not counted and come with 0.
solving::SolveOutcome SolveOnBoard(
    CandidateBoard& board, solving::Grid& grid,
    const std::function<void(int, const solving::Step&)>& shown = {});

}  // namespace quillet::board_tool
