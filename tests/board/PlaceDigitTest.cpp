#include <gtest/gtest.h>

#include <random>

#include "BoardTestSupport.h"
#include "board/BoardState.h"
#include "board/Placement.h"

namespace quillet {
namespace {

using testing::AllCells;
using testing::RecordingInformer;

class PlaceDigitTest : public ::testing::Test {
protected:
    bool PlaceAt(CellPos pos, int d) {
        state.Board().SetSelection(pos);
        return state.PlaceDigit(d);
    }
    CandidateBoard& board() { return state.Board(); }

    RecordingInformer informer;
    BoardState state{informer};
};

bool SharesUnit(CellPos a, CellPos b) {
    return a.col == b.col || a.row == b.row ||
           (BoxOrigin(a.col) == BoxOrigin(b.col) && BoxOrigin(a.row) == BoxOrigin(b.row));
}

TEST_F(PlaceDigitTest, StrikesTheDigitFromRowColumnAndBoxOnly) {
    ASSERT_TRUE(PlaceAt({1, 1}, 5));
    ForEachCellColumnMajor([&](CellPos p) {
        const char* expected = p == CellPos{1, 1}      ? "5"
                               : SharesUnit(p, {1, 1}) ? "12346789"
                                                       : "123456789";
        EXPECT_EQ(board().Cell(p), expected) << p.col << "," << p.row;
    });
    EXPECT_TRUE(state.UndoAvailable());
    EXPECT_EQ(board().Selection(), (CellPos{1, 1}));
    EXPECT_TRUE(informer.texts.empty());
}

TEST_F(PlaceDigitTest, PlacingTheSameDigitAgainTakesAFreshSnapshotAndChangesNothing) {
    ASSERT_TRUE(PlaceAt({1, 1}, 5));
    const auto before = AllCells(board());
    ASSERT_TRUE(PlaceAt({1, 1}, 5));
    EXPECT_EQ(AllCells(board()), before);
    EXPECT_EQ(state.Snapshot().Lines(), before);
}

TEST_F(PlaceDigitTest, RowAndColumnEmptyASolvedTwinButTheBoxSparesIt) {
    board().SetCell({1, 1}, "59");
    board().SetCell({4, 1}, "5");  // same row, other box
    board().SetCell({1, 6}, "5");  // same column, other box
    board().SetCell({2, 2}, "5");  // same box only
    board().SetCell({3, 3}, "");   // empty cells stay empty
    ASSERT_TRUE(PlaceAt({1, 1}, 5));
    EXPECT_EQ(board().Cell({1, 1}), "5");
    EXPECT_EQ(board().Cell({4, 1}), "");
    EXPECT_EQ(board().Cell({1, 6}), "");
    EXPECT_EQ(board().Cell({2, 2}), "5");
    EXPECT_EQ(board().Cell({3, 3}), "");
}

TEST_F(PlaceDigitTest, SolvedTwinInTheSameRowAndBoxIsEmptiedByTheRowStep) {
    board().SetCell({2, 1}, "5");
    ASSERT_TRUE(PlaceAt({1, 1}, 5));
    EXPECT_EQ(board().Cell({2, 1}), "");
}

TEST_F(PlaceDigitTest, RefusalInformsAndLeavesBoardBufferAndUndoUntouched) {
    ASSERT_TRUE(PlaceAt({1, 1}, 5));
    const auto cells = AllCells(board());
    const auto buffer = state.Snapshot().Lines();

    EXPECT_FALSE(PlaceAt({2, 1}, 5));   // 5 was struck from the row
    EXPECT_FALSE(PlaceAt({1, 1}, 4));   // the cell holds only 5
    EXPECT_FALSE(PlaceAt({10, 2}, 5));  // no cell there
    EXPECT_FALSE(PlaceAt({3, 10}, 5));

    ASSERT_EQ(informer.texts.size(), 4u);
    for (const auto& text : informer.texts) EXPECT_EQ(text, "その数字は入力できません。");
    EXPECT_EQ(AllCells(board()), cells);
    EXPECT_EQ(state.Snapshot().Lines(), buffer);
    EXPECT_TRUE(state.UndoAvailable());

    state.UndoLast();
    EXPECT_FALSE(PlaceAt({1, 1}, 0));
    EXPECT_FALSE(state.UndoAvailable());
}

TEST_F(PlaceDigitTest, ValuesOutsideOneToNineAreRefusedEvenWhereTheirTextOccurs) {
    board().SetCell({5, 5}, "1012-3");
    board().SetCell({5, 6}, "0123456789");
    const auto cells = AllCells(board());
    for (const int d : {10, 12, -3, 0}) {
        EXPECT_FALSE(PlaceAt({5, 5}, d)) << d;
        EXPECT_FALSE(PlaceAt({5, 6}, d)) << d;
    }
    EXPECT_EQ(informer.texts, std::vector<std::string>(8, kCannotPlaceMessage));
    EXPECT_EQ(AllCells(board()), cells);
    EXPECT_FALSE(state.UndoAvailable());
    EXPECT_EQ(state.Snapshot().Count(), 0u);
}

TEST_F(PlaceDigitTest, MatchesDigitTextsAsSubstrings) {
    board().SetCell({5, 5}, "x7y");
    ASSERT_TRUE(PlaceAt({5, 5}, 7));
    EXPECT_EQ(board().Cell({5, 5}), "7");
}

TEST_F(PlaceDigitTest, UndoRestoresTheBoardBeforeTheLastPlacementOnly) {
    ASSERT_TRUE(PlaceAt({1, 1}, 5));
    const auto beforeSecond = AllCells(board());
    ASSERT_TRUE(PlaceAt({9, 9}, 3));
    board().SetCell({5, 5}, "changed without a placement");

    std::vector<bool> undoStates;
    state.SetUndoChangedHandler([&](bool available) { undoStates.push_back(available); });
    state.UndoLast();
    EXPECT_EQ(AllCells(board()), beforeSecond);
    EXPECT_FALSE(state.UndoAvailable());
    EXPECT_EQ(undoStates, std::vector<bool>{false});
    // The buffer is kept; a second undo would restore the same board.
    EXPECT_EQ(state.Snapshot().Lines(), beforeSecond);
}

TEST_F(PlaceDigitTest, UndoFillsCellsPastAShortBufferWithEmptyText) {
    state.Snapshot().Clear();
    state.Snapshot().Append("4");
    state.SetUndoAvailable(true);
    state.UndoLast();
    EXPECT_EQ(board().Cell({1, 1}), "4");
    EXPECT_EQ(board().Cell({1, 2}), "");
    EXPECT_EQ(board().Cell({9, 9}), "");
}

TEST_F(PlaceDigitTest, PlacementReportsEveryWrittenCell) {
    std::vector<CellPos> written;
    board().SetCellWrittenHandler([&](CellPos p) { written.push_back(p); });
    ASSERT_TRUE(PlaceAt({5, 5}, 1));
    // The cell, 8 of its row, 8 of its column and 8 of its box outside them
    // (the box pass also writes the 4 cells of the row and column it shares).
    EXPECT_EQ(written.size(), 1u + 8 + 8 + 8);
    EXPECT_EQ(written.front(), (CellPos{5, 5}));
}

// Random placements, refusals and undos from a fresh board, each checked
// against what a placement may and may not change.
TEST_F(PlaceDigitTest, ThePlainRuleIsPlaceDigitWithoutTheBufferUndoOrInformer) {
    CandidateBoard plain;
    for (CandidateBoard* b : {&plain, &board()}) {
        b->SetCell({1, 1}, "567");
        b->SetCell({2, 2}, "5");  // a solved twin in the box
        b->SetCell({7, 1}, "5");  // and one in the row
    }
    ASSERT_TRUE(PlaceAt({1, 1}, 5));
    ASSERT_TRUE(PlaceDigitOnBoard(plain, {1, 1}, 5));
    EXPECT_EQ(plain.Cells(), board().Cells());

    BoardSnapshot kept;
    kept.Append("kept");
    const auto before = AllCells(plain);
    EXPECT_FALSE(PlaceDigitOnBoard(plain, {1, 1}, 6, &kept));
    EXPECT_FALSE(PlaceDigitOnBoard(plain, {10, 1}, 5, &kept));
    EXPECT_FALSE(PlaceDigitOnBoard(plain, {5, 5}, 0, &kept));
    EXPECT_EQ(AllCells(plain), before);
    EXPECT_EQ(kept.Lines(), std::vector<std::string>{"kept"});
    EXPECT_TRUE(PlaceDigitOnBoard(plain, {5, 5}, 3, &kept));
    EXPECT_EQ(kept.Lines(), before);
}

TEST_F(PlaceDigitTest, RandomPlacementsKeepTheInvariants) {
    std::mt19937 rng(20261208);
    std::uniform_int_distribution<int> coord(1, 9), digit(1, 9), percent(0, 99);
    std::vector<CandidateString> beforeLast;
    int placed = 0, refused = 0, undone = 0;

    for (int round = 0; round < 40; ++round) {
        board().ResetAll();
        state.SetUndoAvailable(false);
        for (int step = 0; step < 60; ++step) {
            if (state.UndoAvailable() && percent(rng) < 10) {
                state.UndoLast();
                ASSERT_EQ(AllCells(board()), beforeLast);
                ++undone;
                continue;
            }
            const CellPos at{coord(rng), coord(rng)};
            const int d = digit(rng);
            const std::string t = DigitText(d);
            const auto before = AllCells(board());
            const bool undoBefore = state.UndoAvailable();
            const auto bufferBefore = state.Snapshot().Lines();
            const size_t informed = informer.texts.size();

            if (!PlaceAt(at, d)) {
                ++refused;
                ASSERT_FALSE(Contains(before[ColumnMajorIndex(at)], t));
                ASSERT_EQ(informer.texts.size(), informed + 1);
                ASSERT_EQ(AllCells(board()), before);
                ASSERT_EQ(state.Snapshot().Lines(), bufferBefore);
                ASSERT_EQ(state.UndoAvailable(), undoBefore);
                continue;
            }
            ++placed;
            beforeLast = before;
            ASSERT_EQ(state.Snapshot().Lines(), before);
            ASSERT_TRUE(state.UndoAvailable());
            ASSERT_EQ(board().Selection(), at);
            ForEachCellColumnMajor([&](CellPos p) {
                const CandidateString& old = before[ColumnMajorIndex(p)];
                const CandidateString& now = board().Cell(p);
                if (p == at) {
                    ASSERT_EQ(now, t);
                } else if (p.col == at.col || p.row == at.row) {
                    ASSERT_FALSE(Contains(now, t));
                    ASSERT_EQ(now, RemoveDigit(old, t));
                } else if (SharesUnit(p, at)) {
                    ASSERT_EQ(now, old.size() > 1 ? RemoveDigit(old, t) : old);
                } else {
                    ASSERT_EQ(now, old);
                }
            });
        }
    }
    // The sequence must exercise all three paths.
    EXPECT_GT(placed, 300);
    EXPECT_GT(refused, 300);
    EXPECT_GT(undone, 50);
}

}  // namespace
}  // namespace quillet
