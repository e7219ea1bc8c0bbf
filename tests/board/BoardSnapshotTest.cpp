#include "board/BoardSnapshot.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(BoardSnapshot, ReadsLinesCappedAndEmptyPastTheEnd) {
    BoardSnapshot snapshot;
    EXPECT_EQ(snapshot.Line(0), "");
    snapshot.Append("5");
    snapshot.Append("");
    snapshot.Append(std::string(5000, 'a'));
    EXPECT_EQ(snapshot.Count(), 3u);
    EXPECT_EQ(snapshot.Line(0), "5");
    EXPECT_EQ(snapshot.Line(1), "");
    EXPECT_EQ(snapshot.Line(2).size(), 4096u);
    EXPECT_EQ(snapshot.Line(3), "");
    EXPECT_EQ(snapshot.Line(1000000), "");
    snapshot.Clear();
    EXPECT_EQ(snapshot.Count(), 0u);
    EXPECT_EQ(snapshot.Line(0), "");
}

TEST(BoardSnapshot, CapturesColumnMajorAndRestoresExactly) {
    CandidateBoard board;
    ForEachCellColumnMajor(
        [&](CellPos p) { board.SetCell(p, std::to_string(p.col * 10 + p.row)); });
    board.SetCell({3, 4}, "");
    BoardSnapshot snapshot;
    snapshot.CaptureBoard(board);
    ASSERT_EQ(snapshot.Count(), 81u);
    EXPECT_EQ(snapshot.Line(0), "11");
    EXPECT_EQ(snapshot.Line(1), "12");
    EXPECT_EQ(snapshot.Line(9), "21");
    EXPECT_EQ(snapshot.Line(2 * 9 + 3), "");
    EXPECT_EQ(snapshot.Line(80), "99");

    CandidateBoard other;
    snapshot.RestoreBoard(other);
    ForEachCellColumnMajor([&](CellPos p) { EXPECT_EQ(other.Cell(p), board.Cell(p)); });
}

}  // namespace
}  // namespace quillet
