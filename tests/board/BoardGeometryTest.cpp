#include <gtest/gtest.h>

#include <set>

#include "board/BoardGeometry.h"

namespace quillet {
namespace {

TEST(BoardGeometry, BothOrdersNumberEveryCellOnceAndTheColumnMajorOneFollowsTheScan) {
    int k = 0;
    std::set<int> rowMajor;
    ForEachCellColumnMajor([&](CellPos p) {
        EXPECT_EQ(ColumnMajorIndex(p), k);
        EXPECT_EQ(CellOfColumnMajor(k), p);
        EXPECT_EQ(CellOfRowMajor(RowMajorIndex(p)), p);
        rowMajor.insert(RowMajorIndex(p));
        ++k;
    });
    EXPECT_EQ(rowMajor.size(), 81u);
    EXPECT_EQ(*rowMajor.rbegin(), 80);
    // Row by row: column 3 of row 5 follows four full rows.
    EXPECT_EQ(RowMajorIndex({3, 5}), 4 * 9 + 2);
    EXPECT_EQ(ColumnMajorIndex({3, 5}), 2 * 9 + 4);
}

TEST(BoardGeometry, UnitsAndPeersAreTheRowsColumnsAndBoxesOfTheBoard) {
    auto sameBox = [](CellPos a, CellPos b) {
        return BoxOrigin(a.col) == BoxOrigin(b.col) && BoxOrigin(a.row) == BoxOrigin(b.row);
    };
    for (int cell = 0; cell < kCellCount; ++cell) {
        const CellPos p = CellOfColumnMajor(cell);
        EXPECT_EQ(UnitCells(RowUnit(cell))[p.col - 1], cell);
        EXPECT_EQ(UnitCells(ColumnUnit(cell))[p.row - 1], cell);
        std::set<int> peers(Peers(cell).begin(), Peers(cell).end());
        EXPECT_EQ(peers.size(), 20u);
        for (int other = 0; other < kCellCount; ++other) {
            const CellPos q = CellOfColumnMajor(other);
            const bool sees = other != cell && (p.col == q.col || p.row == q.row || sameBox(p, q));
            EXPECT_EQ(Sees(cell, other), sees);
            EXPECT_EQ(peers.count(other), sees ? 1u : 0u);
            EXPECT_EQ(BoxUnit(cell) == BoxUnit(other), sameBox(p, q));
        }
    }
    // Boxes go down the first column of boxes first; each box column by column.
    const std::array<int, 9>& middleLeft = UnitCells(19);
    EXPECT_EQ(CellOfColumnMajor(middleLeft.front()), (CellPos{1, 4}));
    EXPECT_EQ(CellOfColumnMajor(middleLeft[1]), (CellPos{1, 5}));
    EXPECT_EQ(CellOfColumnMajor(middleLeft.back()), (CellPos{3, 6}));
    // A row is named before a box they share.
    EXPECT_EQ(SharedUnit(ColumnMajorIndex({1, 1}), ColumnMajorIndex({2, 1})), 0);
    EXPECT_EQ(SharedUnit(ColumnMajorIndex({1, 1}), ColumnMajorIndex({2, 2})), 18);
    EXPECT_EQ(SharedUnit(ColumnMajorIndex({1, 1}), ColumnMajorIndex({4, 4})), -1);
}

TEST(BoardGeometry, NamesAreThoseTheToolPrints) {
    EXPECT_EQ(CellName(CellPos{3, 5}), "column 3, row 5");
    EXPECT_EQ(CellName(ColumnMajorIndex({3, 5})), "column 3, row 5");
    EXPECT_EQ(UnitName(RowUnit(ColumnMajorIndex({3, 5}))), "row 5");
    EXPECT_EQ(UnitName(ColumnUnit(ColumnMajorIndex({3, 5}))), "column 3");
    EXPECT_EQ(UnitName(BoxUnit(ColumnMajorIndex({3, 5}))), "the middle-left box");
    EXPECT_EQ(UnitName(18), "the top-left box");
    EXPECT_EQ(UnitName(26), "the bottom-right box");
    EXPECT_EQ(CandidateName(CandidateNode(ColumnMajorIndex({3, 5}), 7)), "7 at column 3, row 5");
}

}  // namespace
}  // namespace quillet
