#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "BoardCells.h"
#include "BoardSteps.h"
#include "files/PuzzleText.h"
#include "solving/Grid.h"

namespace quillet::board_tool {
namespace {

// The cell texts the grid stands for: its digits in ascending order, as the
// board keeps them after striking from "123456789".
::testing::AssertionResult SameCells(const CandidateBoard& board, const solving::Grid& grid) {
    for (int cell = 0; cell < kCellCount; ++cell) {
        std::string text;
        for (int d = 1; d <= 9; ++d)
            if (solving::Holds(grid.cells[cell], d)) text += static_cast<char>('0' + d);
        if (board.Cells()[cell] != text)
            return ::testing::AssertionFailure()
                   << CellName(cell) << ": the board holds '" << board.Cells()[cell]
                   << "', the grid '" << text << "'";
    }
    return ::testing::AssertionSuccess();
}

TEST(BoardSteps, TheBoardAndTheGridAgreeAfterEveryStepOfSolve) {
    std::ifstream in(QUILLET_TOOL_FIXTURE_DIR "/diabolical-200.txt");
    std::stringstream text;
    text << in.rdbuf();
    const std::vector<TextPuzzle> puzzles = ReadPuzzles(text.str());
    ASSERT_EQ(puzzles.size(), 200u);
    int steps = 0, solved = 0;
    for (const TextPuzzle& puzzle : puzzles) {
        CandidateBoard board;
        PutCells(puzzle.cells, board);
        solving::Grid grid = *solving::GridFromBoard(board);
        // Each step is shown before it is applied: the two agree on all the
        // steps before it. The first disagreement is kept.
        ::testing::AssertionResult agree = ::testing::AssertionSuccess();
        const solving::SolveOutcome outcome =
            SolveOnBoard(board, grid, [&](int n, const solving::Step&) {
                if (agree) agree = SameCells(board, grid) << " before step " << n;
                ++steps;
            });
        if (agree) agree = SameCells(board, grid) << " at the end";
        ASSERT_TRUE(agree) << "puzzle of line " << puzzle.line;
        solved += outcome.solved ? 1 : 0;
    }
    // Every kind of step was taken, placements and strikes of every technique.
    EXPECT_GT(steps, 10000);
    EXPECT_GT(solved, 190);
}

TEST(BoardSteps, APlacementTheBoardRefusesEndsTheCommand) {
    CandidateBoard board;
    board.SetCell({3, 5}, "12");
    const solving::Step step{solving::Technique::kNakedSingle,
                             ColumnMajorIndex({3, 5}),
                             4,
                             {{ColumnMajorIndex({1, 1}), 4}}};
    const auto before = board.Cells();
    try {
        ApplyStepToBoard(step, board, "step 7");
        FAIL() << "the refused placement was taken";
    } catch (const StepRefused& e) {
        EXPECT_STREQ(e.what(),
                     "the board refuses step 7 (naked single): column 3, row 5 holds '12', not 4");
    }
    EXPECT_EQ(board.Cells(), before);
}

}  // namespace
}  // namespace quillet::board_tool
