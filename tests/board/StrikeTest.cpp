#include <gtest/gtest.h>

#include <vector>

#include "BoardTestSupport.h"
#include "board/BoardState.h"
#include "board/Strike.h"

namespace quillet {
namespace {

using testing::AllCells;
using testing::RecordingInformer;

int At(int col, int row) { return ColumnMajorIndex({col, row}); }

class StrikeTest : public ::testing::Test {
protected:
    bool Strike(const std::vector<Candidate>& strikes) { return state.StrikeCandidates(strikes); }
    CandidateBoard& board() { return state.Board(); }

    RecordingInformer informer;
    BoardState state{informer};
};

TEST_F(StrikeTest, StrikesEachDigitFromItsCellAsOneStepThatUndoTakesBack) {
    board().SetCell({3, 7}, "2");
    const auto before = AllCells(board());
    ASSERT_TRUE(Strike({{At(1, 1), 4}, {At(1, 1), 8}, {At(9, 9), 4}, {At(3, 7), 4}}));
    EXPECT_EQ(board().Cell({1, 1}), "1235679");
    EXPECT_EQ(board().Cell({9, 9}), "12356789");
    EXPECT_EQ(board().Cell({3, 7}), "2");  // does not hold 4: unchanged
    EXPECT_EQ(board().Cell({1, 2}), "123456789");
    EXPECT_TRUE(state.UndoAvailable());
    EXPECT_TRUE(informer.texts.empty());
    state.UndoLast();
    EXPECT_EQ(AllCells(board()), before);
}

TEST_F(StrikeTest, RefusesWithoutTouchingBoardOrLineBuffer) {
    board().SetCell({2, 2}, "5");
    board().SetCell({4, 4}, "56");
    board().SetCell({6, 6}, "");
    const auto before = AllCells(board());
    const std::vector<Candidate> refused[] = {
        {{At(1, 1), 0}},                                // not a digit
        {{At(1, 1), 10}},                               // not a digit
        {{At(1, 1), 3}, {At(10, 1), 3}},                // off the board
        {{-1, 3}},                                      // off the board
        {{At(2, 2), 5}},                                // would empty a solved cell
        {{At(1, 1), 5}, {At(4, 4), 5}, {At(4, 4), 6}},  // would empty a cell, beside a good strike
        {{At(2, 2), 7}, {At(6, 6), 7}},                 // nothing to strike
        {},                                             // nothing to strike
    };
    for (const auto& strikes : refused) {
        EXPECT_FALSE(Strike(strikes));
        EXPECT_EQ(AllCells(board()), before);
    }
    EXPECT_FALSE(state.UndoAvailable());
    EXPECT_TRUE(state.Snapshot().Lines().empty());
    EXPECT_EQ(informer.texts, std::vector<std::string>(std::size(refused), kCannotStrikeMessage));
}

TEST_F(StrikeTest, OnThePlainBoardWithoutALineBuffer) {
    const std::vector<Candidate> strikes{{At(5, 5), 1}, {At(5, 5), 9}};
    ASSERT_TRUE(StrikeCandidatesOnBoard(board(), strikes));
    EXPECT_EQ(board().Cell({5, 5}), "2345678");
}

}  // namespace
}  // namespace quillet
