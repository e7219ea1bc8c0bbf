#include <gtest/gtest.h>

#include <set>

#include "board/BoardGeometry.h"

namespace quillet {
namespace {

TEST(BoardGeometry, NumbersUnitsAndPeersAreThoseOfTheRowsColumnsAndBoxes) {
    auto sameBox = [](CellPos a, CellPos b) {
        return BoxOrigin(a.col) == BoxOrigin(b.col) && BoxOrigin(a.row) == BoxOrigin(b.row);
    };
    int k = 0;
    std::set<int> rowMajor;
    ForEachCellColumnMajor([&](CellPos p) {
        const int cell = k++;
        ASSERT_EQ(ColumnMajorIndex(p), cell);
        ASSERT_EQ(CellOfColumnMajor(cell), p);
        ASSERT_EQ(CellOfRowMajor(RowMajorIndex(p)), p);
        rowMajor.insert(RowMajorIndex(p));
        EXPECT_EQ(UnitCells(RowUnit(cell))[p.col - 1], cell);
        EXPECT_EQ(UnitCells(ColumnUnit(cell))[p.row - 1], cell);
        const std::set<int> peers(Peers(cell).begin(), Peers(cell).end());
        EXPECT_EQ(peers.size(), 20u);
        for (int other = 0; other < kCellCount; ++other) {
            const CellPos q = CellOfColumnMajor(other);
            const bool sees = other != cell && (p.col == q.col || p.row == q.row || sameBox(p, q));
            EXPECT_EQ(Sees(cell, other), sees);
            EXPECT_EQ(peers.count(other), sees ? 1u : 0u);
            EXPECT_EQ(BoxUnit(cell) == BoxUnit(other), sameBox(p, q));
        }
    });
    EXPECT_EQ(rowMajor.size(), 81u);
    EXPECT_EQ(RowMajorIndex({3, 5}), 4 * 9 + 2);
    // Boxes go down the first column of boxes first, each column by column,
    // and are named so.
    EXPECT_EQ(CellOfColumnMajor(UnitCells(19)[1]), (CellPos{1, 5}));
    EXPECT_EQ(UnitName(19), "the middle-left box");
    EXPECT_EQ(CandidateName(CandidateNode(ColumnMajorIndex({3, 5}), 7)), "7 at column 3, row 5");
    // A row is named before a box the two cells also share.
    EXPECT_EQ(SharedUnit(ColumnMajorIndex({1, 1}), ColumnMajorIndex({2, 1})), 0);
    EXPECT_EQ(SharedUnit(ColumnMajorIndex({1, 1}), ColumnMajorIndex({2, 2})), 18);
    EXPECT_EQ(SharedUnit(ColumnMajorIndex({1, 1}), ColumnMajorIndex({4, 4})), -1);
}

}  // namespace
}  // namespace quillet
