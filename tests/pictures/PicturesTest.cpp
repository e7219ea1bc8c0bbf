#include "pictures/Pictures.h"

#include <QRect>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "RecordingCanvas.h"

namespace quillet {
namespace {

using testing::RecordingCanvas;
using Stroke = RecordingCanvas::Stroke;

double Radius(QPoint p, int centreX = 225) { return std::hypot(p.x() - centreX, p.y() - 225); }

std::vector<Stroke> StrokesOf(void (*draw)(Canvas&, int, int)) {
    RecordingCanvas surface;
    draw(surface, 450, 450);
    return surface.Strokes();
}

TEST(Blossom, DrawsOneClosedOutlineOf451PointsShadedInTheGreenByteOnly) {
    RecordingCanvas surface;
    DrawBlossom(surface, 450, 450);
    const auto strokes = surface.Strokes();
    ASSERT_EQ(strokes.size(), 1u);
    const Stroke& outline = strokes[0];
    // The move, then a line-to for each of the 451 points.
    ASSERT_EQ(outline.points.size(), 452u);
    EXPECT_EQ(outline.points[1], QPoint(85, 225));
    EXPECT_EQ(outline.points.back(), QPoint(85, 225));
    EXPECT_EQ(outline.penWidth, 4);
    for (std::size_t k = 1; k < outline.points.size(); ++k) {
        const Colour green = (outline.colours[k] >> 8) & 0xFF;
        ASSERT_EQ(outline.colours[k] & 0xFF00FF, 0xFF00FFu) << k;
        ASSERT_TRUE(green >= 5 && green <= 185) << k;
        ASSERT_TRUE(Radius(outline.points[k]) >= 139 && Radius(outline.points[k]) <= 225) << k;
    }
    EXPECT_EQ(outline.colours[1], 0xFF05FFu);
    EXPECT_EQ(surface.PenColour(), 0xFF05FFu);
    // The first petal's tip at point 36 and its notch at point 45.
    EXPECT_NEAR(Radius(outline.points[1 + 36]), 224.0, 1.0);
    EXPECT_NEAR(Radius(outline.points[1 + 45]), 203.0, 1.0);
    EXPECT_EQ(outline.colours[1 + 36], 0xFFB9FFu);
    EXPECT_EQ(outline.colours[1 + 45], 0xFF8CFFu);
}

TEST(Crown, ReadsItsLeafFromTheTableAndStandsOnRadius198) {
    const std::array<QPoint, 8> expected = {QPoint(0, 0),   QPoint(15, 0),  QPoint(30, 5),
                                            QPoint(40, 20), QPoint(25, 20), QPoint(10, 15),
                                            QPoint(0, 0),   QPoint(20, 10)};
    EXPECT_EQ(ReadLeafTable(), expected);
    EXPECT_EQ(WreathRadius(450), 198);
    EXPECT_EQ(WreathRadius(100), 44);
}

TEST(Crown, DrawsThirtyLeavesFadingToNearlyWhiteThenTwoStems) {
    RecordingCanvas surface;
    DrawCrown(surface, 450, 450);
    const auto strokes = surface.Strokes();
    const auto fills = surface.Only(RecordingCanvas::Op::FloodFill);
    ASSERT_EQ(strokes.size(), 32u);
    ASSERT_EQ(fills.size(), 30u);
    for (int n = 0; n < 30; ++n) {
        SCOPED_TRACE(n);
        const Stroke& leaf = strokes[n];
        const Colour colour = 0x00FF00 + static_cast<Colour>(n % 15 + 1) * 0x100010;
        ASSERT_EQ(leaf.points.size(), 7u);
        EXPECT_EQ(leaf.points.front(), leaf.points.back());
        EXPECT_EQ(leaf.penWidth, 1);
        EXPECT_EQ(leaf.colours.back(), colour);
        EXPECT_EQ(fills[n].args[2], static_cast<long long>(colour));
        EXPECT_EQ(fills[n].brushColour, colour);
        EXPECT_EQ(fills[n].brushStyle, BrushStyle::Solid);
        EXPECT_NEAR(Radius(leaf.points.front()), 198.0, 1.0);
    }
    EXPECT_EQ(fills[14].brushColour, 0xF0FFF0u);
    EXPECT_EQ(fills[29].brushColour, 0xF0FFF0u);
    // The branches start at -90 and at 230 degrees, where the stems start.
    EXPECT_EQ(strokes[0].points.front(), QPoint(225, 423));
    EXPECT_EQ(strokes[15].points.front(), QPoint(98, 377));
    EXPECT_EQ(strokes[30].points.front(), strokes[15].points.front());
    EXPECT_EQ(strokes[31].points.front(), strokes[0].points.front());
    for (const int s : {30, 31}) {
        SCOPED_TRACE(s);
        EXPECT_EQ(strokes[s].points.size(), 41u);
        EXPECT_EQ(strokes[s].penWidth, 3);
        EXPECT_EQ(strokes[s].colours.front(), 0x00FF00u);
        EXPECT_NEAR(Radius(strokes[s].points.back()), 221.3, 1.0);
    }
}

class SpiralScallops : public ::testing::TestWithParam<int> {};

TEST_P(SpiralScallops, OnTheLastTurnNumberMAndKeepWithinTheCentreDistance) {
    const int m = GetParam();
    RecordingCanvas surface;
    DrawSpiralFlowerCircle(surface, 450, 450, m);
    const auto strokes = surface.Strokes();
    ASSERT_EQ(strokes.size(), 1u);
    const Stroke& spiral = strokes[0];
    ASSERT_EQ(spiral.points.size(), 1082u);
    EXPECT_EQ(spiral.points[0], QPoint(225, 225));
    EXPECT_EQ(spiral.penWidth, 3);
    EXPECT_EQ(spiral.colours.back(), 0x0000FFu);

    int scallops = 0;
    bool high = false;
    for (int i = 0; i <= 1080; ++i) {
        const QPoint p = spiral.points[static_cast<std::size_t>(i) + 1];
        ASSERT_LE(Radius(p), 226.0) << i;
        ASSERT_TRUE(QRect(0, 0, 450, 450).contains(p)) << i;
        // How far the last turn stands out of the plain spiral.
        const double excess = Radius(p) - std::sin(i * std::numbers::pi / 180 / 12) * 180;
        if (i > 720 && !high && excess > 30) ++scallops;
        high = excess > 30 || (high && excess >= 10);
    }
    EXPECT_EQ(scallops, m);
}

INSTANTIATE_TEST_SUITE_P(FiveAndSix, SpiralScallops, ::testing::Values(5, 6));

TEST(RingedFlowerCircle, ClosesItsRingAroundAShiftedSpiral) {
    const auto strokes = StrokesOf(DrawRingedFlowerCircle);
    ASSERT_EQ(strokes.size(), 2u);
    const Stroke& ring = strokes[0];
    ASSERT_EQ(ring.points.size(), 362u);
    EXPECT_EQ(ring.points[1], ring.points.back());
    EXPECT_EQ(ring.penWidth, 3);
    EXPECT_EQ(ring.colours.back(), 0xFFFFEEu);
    for (const QPoint& p : ring.points) ASSERT_TRUE(Radius(p) >= 179 && Radius(p) <= 203.5);

    const Stroke& spiral = strokes[1];
    ASSERT_EQ(spiral.points.size(), 702u);
    EXPECT_EQ(spiral.penWidth, 5);
    EXPECT_EQ(spiral.colours.back(), 0xFF00FFu);
    EXPECT_EQ(spiral.points[0], QPoint(205, 225));
    EXPECT_NEAR(Radius(spiral.points.back(), 205), 153.2, 1.0);
}

}  // namespace
}  // namespace quillet
