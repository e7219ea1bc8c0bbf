#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "coach/BoardPainting.h"

namespace quillet::coach {
namespace {

using coaching::Advice;

int At(int col, int row) { return ColumnMajorIndex({col, row}); }

// Whether most of the candidate's square, its digit left out, is `colour`.
bool Filled(const QImage& image, const QRectF& square, const QColor& colour) {
    int matching = 0, seen = 0;
    const QRect inner = square.toAlignedRect().adjusted(2, 2, -2, -2);
    for (int x = inner.left(); x <= inner.right(); ++x) {
        for (const int y : {inner.top(), inner.bottom()}) {
            ++seen;
            matching += image.pixelColor(x, y) == colour;
        }
    }
    return matching * 4 >= seen * 3;
}

// The board drawn as the coach's view draws it, at a fixed size, with the
// program's own font: what a person sees where, not the exact pixels.
class BoardPaintingTest : public ::testing::Test {
protected:
    BoardPaintingTest() : image(540, 540, QImage::Format_RGB32), layout(QRectF(0, 0, 540, 540)) {
        cells.fill("123456789");
        cells[At(2, 3)] = "5";
        advice.kind = Advice::Kind::kStep;
        advice.drawing.cells = {At(4, 4), At(8, 4)};
        advice.drawing.strikes = {{At(6, 7), 3}};
        advice.drawing.placeCell = At(9, 9);
        advice.drawing.placeDigit = 7;
        advice.drawing.links = {{{At(4, 4), 2}, {At(8, 4), 2}, false},
                                {{At(4, 4), 2}, {At(4, 8), 2}, true}};
    }
    void Paint(int selected = -1) {
        image.fill(Qt::gray);
        QPainter painter(&image);
        PaintBoard(painter, layout, {cells, selected, &advice});
    }

    QImage image;
    BoardLayout layout;
    coaching::CellTexts cells;
    Advice advice;
};

TEST_F(BoardPaintingTest, StruckAndPlacedCandidatesHaveColoursOfTheirOwnWhereTheyStand) {
    Paint();
    EXPECT_TRUE(Filled(image, layout.CandidateRect(At(6, 7), 3), kStruckColour));
    EXPECT_TRUE(Filled(image, layout.CandidateRect(At(9, 9), 7), kPlacedColour));
    // Their neighbours and the other cells' candidates keep the board's white.
    EXPECT_TRUE(Filled(image, layout.CandidateRect(At(6, 7), 2), Qt::white));
    EXPECT_TRUE(Filled(image, layout.CandidateRect(At(9, 9), 8), Qt::white));
    EXPECT_TRUE(Filled(image, layout.CandidateRect(At(5, 7), 3), Qt::white));
    EXPECT_TRUE(Filled(image, layout.CandidateRect(At(8, 4), 9), kPatternShade));
    // Each candidate in its fixed place: 1 top left, 9 bottom right.
    const QRectF cell = layout.CellRect(At(6, 7));
    EXPECT_EQ(layout.CandidateRect(At(6, 7), 1).topLeft(), cell.topLeft());
    EXPECT_EQ(layout.CandidateRect(At(6, 7), 9).bottomRight(), cell.bottomRight());
}

TEST_F(BoardPaintingTest, LinksAreDrawnStrongSolidAndWeakDashed) {
    Paint();
    // Along each link's arc, beyond its end candidates: the link's colour
    // everywhere on the strong one, with gaps on the weak one.
    auto share = [&](const coaching::Link& link) {
        const QPainterPath path = layout.LinkPath(link);
        int on = 0, seen = 0;
        for (double t = 0.2; t <= 0.8; t += 0.01, ++seen) {
            const QPoint p = path.pointAtPercent(t).toPoint();
            bool near = false;
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy)
                    near = near || image.pixelColor(p.x() + dx, p.y() + dy) == kLinkColour;
            on += near;
        }
        return static_cast<double>(on) / seen;
    };
    const double weak = share(advice.drawing.links[0]);
    const double strong = share(advice.drawing.links[1]);
    EXPECT_GT(strong, 0.95);
    EXPECT_GT(weak, 0.3);
    EXPECT_LT(weak, 0.9);
}

TEST_F(BoardPaintingTest, TheSelectionAndTheNumbersAreDrawn) {
    Paint(At(5, 5));
    const QRectF cell = layout.CellRect(At(5, 5));
    // Inside the cell's top edge, where the frame runs (smoothed at its rim).
    const QColor frame = image.pixelColor(QPointF(cell.center().x(), cell.top() + 2.5).toPoint());
    EXPECT_LT(std::abs(frame.red() - kSelectionColour.red()) +
                  std::abs(frame.green() - kSelectionColour.green()) +
                  std::abs(frame.blue() - kSelectionColour.blue()),
              60);
    // Numbers stand in the header band: some dark pixels in each square.
    for (const QRectF& square : {layout.ColumnNumberRect(9), layout.RowNumberRect(9)}) {
        bool dark = false;
        const QRect r = square.toAlignedRect();
        for (int x = r.left(); x < r.right() && !dark; ++x)
            for (int y = r.top(); y < r.bottom() && !dark; ++y)
                dark = image.pixelColor(x, y).lightness() < 80;
        EXPECT_TRUE(dark);
    }
}

}  // namespace
}  // namespace quillet::coach
