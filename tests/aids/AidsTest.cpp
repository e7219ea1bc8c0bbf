#include <gtest/gtest.h>

#include "BoardTestSupport.h"
#include "aids/AidRounds.h"
#include "aids/CompletionCheck.h"
#include "aids/HiddenSingles.h"
#include "aids/SelectorPath.h"
#include "board/CommandError.h"

namespace quillet {
namespace {

using testing::AllCells;
using testing::RecordingInformer;

class AidsTest : public ::testing::Test {
protected:
    CandidateBoard& board() { return state.Board(); }
    void Check() {
        CheckBoard(state, path, [this] { ++congratulations; });
    }
    // Solves the board completely from a valid solution grid.
    void FillSolved() {
        ForEachCellColumnMajor([&](CellPos p) {
            board().SetCell(
                p, DigitText((p.col - 1 + 3 * ((p.row - 1) % 3) + (p.row - 1) / 3) % 9 + 1));
        });
    }

    RecordingInformer informer;
    BoardState state{informer};
    DecidePath path = SelectorPath(state);
    int congratulations = 0;
};

TEST_F(AidsTest, AFreshBoardIsLeftAloneByBothAidsAndTheCheckOnlyEndsUndo) {
    state.SetUndoAvailable(true);
    board().SetSelection({4, 7});
    path.SetSelectorValue(6);
    SolveAllBoxes(state, path);
    RunLinesAid(board(), path);
    ForEachCellColumnMajor([&](CellPos p) { EXPECT_EQ(board().Cell(p), FULL_SET); });
    EXPECT_TRUE(state.UndoAvailable());
    Check();
    ForEachCellColumnMajor([&](CellPos p) { EXPECT_EQ(board().Cell(p), FULL_SET); });
    EXPECT_FALSE(state.UndoAvailable());
    EXPECT_EQ(board().Selection(), (CellPos{4, 7}));
    EXPECT_EQ(path.SelectorValue(), 6);
    EXPECT_EQ(congratulations, 0);
    EXPECT_TRUE(informer.texts.empty());
}

TEST_F(AidsTest, LinesAidWritesTheSingleWithoutEliminationOrUndo) {
    // 4 only in (6, 2) of row 2.
    for (int c = 1; c <= 9; ++c) board().SetCell({c, 2}, c == 6 ? "348" : "12356789");
    board().SetSelection({1, 1});
    path.SetSelectorValue(7);
    RunLinesAid(board(), path);
    EXPECT_EQ(board().Cell({6, 2}), "4");
    EXPECT_EQ(board().Cell({6, 5}), FULL_SET);  // column keeps its 4s
    EXPECT_EQ(board().Cell({5, 1}), FULL_SET);  // so does the box
    EXPECT_FALSE(state.UndoAvailable());
    EXPECT_EQ(board().Selection(), (CellPos{1, 1}));
    EXPECT_EQ(path.SelectorValue(), 7);
}

TEST_F(AidsTest, LinesAidSkipsCompleteRowsAndSeesSinglesItWrote) {
    FillSolved();
    const auto solved = AllCells(board());
    SolveLines(board());
    EXPECT_EQ(AllCells(board()), solved);

    // Column pass: row singles count as solved there. Row 1 makes (1,1) a 1,
    // after which column 1 has 1 solved and its only other holder of 2 is (1,9).
    board().ResetAll();
    for (int c = 2; c <= 9; ++c) board().SetCell({c, 1}, "23456789");
    for (int r = 2; r <= 8; ++r) board().SetCell({1, r}, "13456789");
    board().SetCell({1, 9}, "12");
    SolveLines(board());
    EXPECT_EQ(board().Cell({1, 1}), "1");
    EXPECT_EQ(board().Cell({1, 9}), "2");
}

TEST_F(AidsTest, BoxAidRePlacesASolvedDigitAndUndoGoesBackOnePlacement) {
    // 7 solved at (2, 2) and struck from the rest of the top-left box.
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 3; ++r) board().SetCell({c, r}, "12345689");
    board().SetCell({2, 2}, "7");
    board().SetSelection({9, 9});
    SolveAllBoxes(state, path);
    EXPECT_EQ(board().Cell({5, 2}), "12345689");  // stray 7 of the row struck
    EXPECT_EQ(board().Cell({2, 8}), "12345689");  // and of the column
    EXPECT_EQ(board().Selection(), (CellPos{9, 9}));
    EXPECT_EQ(path.SelectorValue(), 7);  // the last digit it placed
    EXPECT_TRUE(state.UndoAvailable());
    state.UndoLast();
    EXPECT_EQ(board().Cell({5, 2}), FULL_SET);
    EXPECT_EQ(board().Cell({2, 2}), "7");
}

TEST_F(AidsTest, BoxAidPlacesAHiddenSingleWithElimination) {
    for (int c = 4; c <= 6; ++c)
        for (int r = 4; r <= 6; ++r) board().SetCell({c, r}, c == 5 && r == 6 ? "39" : "12345678");
    SolveBox(state, path, 4, 4);
    EXPECT_EQ(board().Cell({5, 6}), "9");
    EXPECT_EQ(board().Cell({5, 1}), "12345678");
    EXPECT_EQ(board().Cell({1, 6}), "12345678");
    EXPECT_EQ(board().Selection(), (CellPos{5, 6}));
}

TEST_F(AidsTest, TwoFivesInARowAreNotBothCounted) {
    FillSolved();
    const CellPos a{1, 1};
    CellPos b{0, 1};
    for (int c = 2; c <= 9; ++c)
        if (board().Cell({c, 1}) == "5") b = {c, 1};
    board().SetCell(a, "5");  // now 5 twice in row 1
    Check();
    EXPECT_EQ(board().Cell(b), "");
    EXPECT_EQ(congratulations, 0);
}

TEST_F(AidsTest, TwoFivesInABoxOnDifferentLinesAreBothKept) {
    board().SetCell({1, 1}, "5");
    board().SetCell({2, 2}, "5");
    Check();
    EXPECT_EQ(board().Cell({1, 1}), "5");
    EXPECT_EQ(board().Cell({2, 2}), "5");
    EXPECT_EQ(board().Cell({3, 3}), "12346789");
}

TEST_F(AidsTest, ACascadeReachesEightyOneInOneCheck) {
    FillSolved();
    // Cells that become single as the scan goes, each through a cell of
    // its column placed before it.
    for (auto [p, from] : {std::pair{CellPos{1, 5}, CellPos{1, 1}},
                           {CellPos{4, 7}, CellPos{4, 2}},
                           {CellPos{9, 9}, CellPos{9, 1}}})
        board().SetCell(p, board().Cell(p) + board().Cell(from));
    board().SetSelection({3, 3});
    state.SetUndoAvailable(false);
    Check();
    EXPECT_EQ(congratulations, 1);
    EXPECT_EQ(board().Selection(), (CellPos{3, 3}));
    EXPECT_FALSE(state.UndoAvailable());
    EXPECT_EQ(path.SelectorValue(), std::stoi(board().Cell({9, 9})));
    EXPECT_TRUE(informer.texts.empty());
}

TEST_F(AidsTest, ASolvedZeroIsRefusedButCounted) {
    FillSolved();
    board().SetCell({9, 9}, "0");
    Check();
    EXPECT_EQ(informer.texts, std::vector<std::string>{kCannotPlaceMessage});
    EXPECT_EQ(congratulations, 1);
}

TEST_F(AidsTest, ANonDigitCellStopsTheCheckWhereItStands) {
    board().SetCell({1, 1}, "5");
    board().SetCell({3, 4}, "x");
    board().SetSelection({8, 8});
    state.SetUndoAvailable(false);
    try {
        Check();
        FAIL() << "the check went past a non-digit cell";
    } catch (const CommandError& error) {
        EXPECT_STREQ(error.what(), "'x' は整数ではありません");
    }
    EXPECT_EQ(board().Selection(), (CellPos{3, 4}));
    EXPECT_EQ(board().Cell({1, 2}), "12346789");  // (1, 1) was placed first
    EXPECT_TRUE(state.UndoAvailable());           // the check did not get to clear it
    EXPECT_EQ(congratulations, 0);
}

TEST_F(AidsTest, RoundsEndWhenTheCheckCongratulatesOrARoundChangesNothing) {
    const AidRoundsOutcome fresh = FinishWithAids(state, path);
    EXPECT_EQ(fresh.rounds, 1);
    EXPECT_FALSE(fresh.congratulated);

    // (1, 1) comes first in the scan, so the first check leaves it open
    // while striking it down to its digit; the box aid places it.
    FillSolved();
    const CandidateString answer = board().Cell({1, 1});
    board().SetCell({1, 1}, FULL_SET);
    const AidRoundsOutcome finished = FinishWithAids(state, path);
    EXPECT_EQ(finished.rounds, 2);
    EXPECT_TRUE(finished.congratulated);
    EXPECT_EQ(board().Cell({1, 1}), answer);

    board().SetCell({3, 4}, "x");
    EXPECT_THROW(FinishWithAids(state, path), CommandError);
}

TEST_F(AidsTest, TheSelectorHoldsItsValueWithinOneToNine) {
    path.SetSelectorValue(12);
    EXPECT_EQ(path.SelectorValue(), 9);
    path.SetSelectorValue(-3);
    EXPECT_EQ(path.SelectorValue(), 1);
}

}  // namespace
}  // namespace quillet
