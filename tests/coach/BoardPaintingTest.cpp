#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
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
        coaching::StepDrawing& drawing = advice.parts.emplace_back().drawing;
        drawing.cells = {At(4, 4), At(8, 4)};
        drawing.strikes = {{At(6, 7), 3}};
        drawing.placeCell = At(9, 9);
        drawing.placeDigit = 7;
        drawing.links = {{{At(4, 4), 2}, {At(8, 4), 2}, false},
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
    const double weak = share(advice.parts[0].drawing.links[0]);
    const double strong = share(advice.parts[0].drawing.links[1]);
    EXPECT_GT(strong, 0.95);
    EXPECT_GT(weak, 0.3);
    EXPECT_LT(weak, 0.9);
}

TEST_F(BoardPaintingTest, ArcsGoAroundSolvedDigitsAndEndAtTheCandidatesRims) {
    // Along row 4 from column 4 to column 6, past the solved 6 of column 5,
    // which the slight arc it would take crosses.
    cells[At(5, 4)] = "6";
    const coaching::Link link{{At(4, 4), 5}, {At(6, 4), 5}, false};
    const QRectF digit = layout.DigitRect(At(5, 4));
    EXPECT_TRUE(digit.contains(layout.LinkPath(link).pointAtPercent(0.5)));
    const QPainterPath around = layout.LinkPath(link, {digit});
    for (double t = 0.0; t <= 1.0; t += 0.01)
        EXPECT_FALSE(digit.contains(around.pointAtPercent(t)));
    // Each end on the rim of its candidate, not at its centre.
    const double rim = layout.CellRect(0).width() / 6;
    const QPointF start = around.pointAtPercent(0), end = around.pointAtPercent(1);
    const QPointF fromCentre = layout.CandidateRect(At(4, 4), 5).center();
    const QPointF toCentre = layout.CandidateRect(At(6, 4), 5).center();
    EXPECT_NEAR(std::hypot(start.x() - fromCentre.x(), start.y() - fromCentre.y()), rim, 0.5);
    EXPECT_NEAR(std::hypot(end.x() - toCentre.x(), end.y() - toCentre.y()), rim, 0.5);
}

TEST_F(BoardPaintingTest, NoMarkCoversAGivenAndGroupsHaveColoursOfTheirOwn) {
    // A given placed again, a mark on it, and two groups.
    coaching::StepDrawing& drawing = advice.parts.front().drawing;
    drawing.placeCell = At(2, 3);
    drawing.placeDigit = 5;
    drawing.marks = {{At(2, 3), 1}};
    drawing.groups = {{{At(1, 7), At(1, 8)}, solving::Bit(4), 9},
                      {{At(3, 7)}, solving::Bit(4), 11}};
    Paint();
    EXPECT_FALSE(Filled(image, layout.CandidateRect(At(2, 3), 5), kPlacedColour));
    EXPECT_FALSE(Filled(image, layout.CandidateRect(At(2, 3), 1), kMarkShade));
    // The given's cell framed in the placed digit's colour instead.
    const QRectF given = layout.CellRect(At(2, 3));
    bool framed = false;
    for (int dx = 2; dx <= 6 && !framed; ++dx)
        framed = image.pixelColor(QPointF(given.left() + dx, given.center().y()).toPoint()) ==
                 kPlacedColour;
    EXPECT_TRUE(framed);
    EXPECT_TRUE(Filled(image, layout.CandidateRect(At(1, 8), 9), kGroupShades[0]));
    EXPECT_TRUE(Filled(image, layout.CandidateRect(At(3, 7), 9), kGroupShades[1]));
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
