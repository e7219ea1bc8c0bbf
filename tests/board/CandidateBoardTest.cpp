#include "board/CandidateBoard.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillet {
namespace {

TEST(RemoveDigit, DeletesOnlyTheFirstOccurrence) {
    EXPECT_EQ(RemoveDigit("123456789", "5"), "12346789");
    EXPECT_EQ(RemoveDigit("7", "7"), "");
    EXPECT_EQ(RemoveDigit("246", "5"), "246");
    EXPECT_EQ(RemoveDigit("5a5", "5"), "a5");
    EXPECT_EQ(RemoveDigit("", "5"), "");
    // Multi-character digit texts delete as many bytes as they have.
    EXPECT_EQ(RemoveDigit("9101", "10"), "91");
}

TEST(BoxOrigin, MapsEachIndexToTheFirstOfItsBox) {
    const int expected[] = {1, 1, 1, 4, 4, 4, 7, 7, 7, 10};
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(BoxOrigin(i), expected[i - 1]) << "i=" << i;
}

TEST(CandidateBoard, StartsFullWithSelectionAtTopLeft) {
    CandidateBoard board;
    EXPECT_EQ(board.Selection(), (CellPos{1, 1}));
    ForEachCellColumnMajor([&](CellPos p) { EXPECT_EQ(board.Cell(p), FULL_SET); });
}

TEST(CandidateBoard, OffBoardPositionsReadEmptyAndIgnoreWrites) {
    CandidateBoard board;
    int writes = 0;
    board.SetCellWrittenHandler([&](CellPos) { ++writes; });
    for (CellPos p : {CellPos{10, 3}, CellPos{3, 10}, CellPos{0, 1}, CellPos{1, 0}}) {
        board.SetCell(p, "5");
        EXPECT_EQ(board.Cell(p), "");
    }
    board.SetSelection({10, 3});
    EXPECT_EQ(board.SelectedCell(), "");
    board.ResetCell();
    EXPECT_EQ(writes, 0);
    ForEachCellColumnMajor([&](CellPos p) { EXPECT_EQ(board.Cell(p), FULL_SET); });
}

TEST(CandidateBoard, HoldsAnyBytes) {
    CandidateBoard board;
    const CandidateString odd("\x00\xff\r\x82\xa0", 5);
    board.SetCell({4, 7}, odd);
    EXPECT_EQ(board.Cell({4, 7}), odd);
    EXPECT_EQ(board.Cell({7, 4}), FULL_SET);
}

TEST(CandidateBoard, ResetAllWritesEveryCellColumnMajorAndKeepsSelection) {
    CandidateBoard board;
    board.SetCell({1, 1}, "");
    board.SetCell({9, 9}, "x");
    board.SetSelection({5, 6});
    std::vector<CellPos> order;
    board.SetCellWrittenHandler([&](CellPos p) { order.push_back(p); });
    board.ResetAll();
    ASSERT_EQ(order.size(), 81u);
    EXPECT_EQ(order[0], (CellPos{1, 1}));
    EXPECT_EQ(order[1], (CellPos{1, 2}));
    EXPECT_EQ(order[9], (CellPos{2, 1}));
    EXPECT_EQ(order[80], (CellPos{9, 9}));
    EXPECT_EQ(board.Cell({1, 1}), FULL_SET);
    EXPECT_EQ(board.Cell({9, 9}), FULL_SET);
    EXPECT_EQ(board.Selection(), (CellPos{5, 6}));
}

TEST(CandidateBoard, ResetCellResetsOnlyTheSelectedCell) {
    CandidateBoard board;
    board.SetCell({2, 3}, "4");
    board.SetCell({3, 2}, "5");
    board.SetSelection({2, 3});
    board.ResetCell();
    EXPECT_EQ(board.Cell({2, 3}), FULL_SET);
    EXPECT_EQ(board.Cell({3, 2}), "5");
}

}  // namespace
}  // namespace quillet
