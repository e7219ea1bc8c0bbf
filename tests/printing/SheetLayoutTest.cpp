#include <gtest/gtest.h>

#include "printing/PaperBoard.h"
#include "printing/SheetLayout.h"
#include "printing/Sheets.h"

namespace quillet::printing {
namespace {

constexpr double kMmPerPoint = 25.4 / 72;

// Every layout on both papers: each board and its caption on the paper
// within its margins, none over another, the caption above its board, and
// the candidates large enough to read at six a page.
TEST(SheetLayout, BoardsKeepTheMarginsApartAndCandidatesReadable) {
    for (const Paper paper : {Paper::kA4, Paper::kLetter}) {
        for (const int perPage : {1, 2, 4, 6}) {
            SCOPED_TRACE(testing::Message()
                         << "paper " << static_cast<int>(paper) << ", " << perPage << " a page");
            const SheetLayout layout(paper, perPage);
            ASSERT_EQ(layout.PerPage(), perPage);
            const QRectF page(QPointF(), layout.PageSize());
            const QRectF inside = page.adjusted(SheetLayout::kMargin, SheetLayout::kMargin,
                                                -SheetLayout::kMargin, -SheetLayout::kMargin);
            std::vector<QRectF> taken;
            for (int i = 0; i < perPage; ++i) {
                const SheetLayout::Slot slot = layout.SlotAt(i);
                const QRectF whole = slot.caption.united(slot.board);
                EXPECT_TRUE(inside.adjusted(-1e-9, -1e-9, 1e-9, 1e-9).contains(whole)) << i;
                EXPECT_LE(slot.caption.bottom(), slot.board.top() + 1e-9);
                EXPECT_DOUBLE_EQ(slot.board.width(), slot.board.height());
                for (const QRectF& other : taken) EXPECT_FALSE(other.intersects(whole)) << i;
                taken.push_back(whole);
            }
            const double cell = PaperGeometry(layout.SlotAt(0).board).CellSize();
            EXPECT_GE(cell * kCandidateType / kMmPerPoint, 6.0);
        }
    }
}

TEST(SheetLayout, TheCellsCandidatesAndNumbersFillTheSquareInOrder) {
    const PaperGeometry geometry(QRectF(10, 20, 95, 95));
    EXPECT_DOUBLE_EQ(geometry.CellSize(), 10);
    EXPECT_EQ(geometry.Cells(), QRectF(15, 25, 90, 90));
    // Column-major cell numbers: cell 1 is column 1, row 2.
    EXPECT_EQ(geometry.CellRect(1), QRectF(15, 35, 10, 10));
    EXPECT_EQ(geometry.CellRect(80).bottomRight(), QPointF(105, 115));
    const QRectF cell = geometry.CellRect(40);
    for (int d = 1; d <= 9; ++d) {
        const QRectF place = geometry.CandidateRect(40, d);
        EXPECT_TRUE(cell.contains(place)) << d;
        if (d % 3 != 1) {
            EXPECT_GT(place.left(), geometry.CandidateRect(40, d - 1).left());
        }
        if (d > 3) {
            EXPECT_GT(place.top(), geometry.CandidateRect(40, d - 3).top());
        }
    }
    EXPECT_EQ(geometry.ColumnNumberRect(9).bottom(), 25);
    EXPECT_EQ(geometry.RowNumberRect(1).right(), 15);
    EXPECT_EQ(PageCount(7, 6), 2);
    EXPECT_EQ(PageCount(6, 6), 1);
}

}  // namespace
}  // namespace quillet::printing
