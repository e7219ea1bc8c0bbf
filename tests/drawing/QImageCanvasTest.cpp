#include "drawing/QImageCanvas.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <vector>

#include "drawing/Fonts.h"

namespace quillet {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

// A closed black outline of width 1 and a red brush.
void Outline(QImageCanvas& surface, const std::vector<QPoint>& points) {
    surface.SetPenColour(0x000000);
    surface.MoveTo(points.back().x(), points.back().y());
    for (const QPoint& p : points) surface.LineTo(p.x(), p.y());
    surface.SetBrushColour(0x0000FF);
}

TEST(QImageCanvas, ConvertsColoursAndDrawsThinLinesWithoutTheirEndPixel) {
    QImageCanvas surface(40, 40);
    EXPECT_EQ(CountPixels(surface.Image(), kWhite), 40 * 40);
    EXPECT_EQ(ToQColor(0xFFFFEE), QColor(0xEE, 0xFF, 0xFF));
    surface.SetPenColour(0x0000FF);
    surface.MoveTo(10, 10);
    surface.LineTo(20, 10);
    surface.LineTo(25, 30);
    EXPECT_EQ(surface.Image().pixel(10, 10), kRed);
    EXPECT_EQ(surface.Image().pixel(20, 10), kRed);
    EXPECT_EQ(surface.Image().pixel(25, 30), kWhite);
    // One pixel per step along the longer axis; off-surface parts are clipped.
    surface.MoveTo(-10, 35);
    surface.LineTo(50, 35);
    EXPECT_EQ(CountPixels(surface.Image(), kRed), 10 + 20 + 40);
}

TEST(FloodFill, StaysInsideSquareAndDiagonalOutlines) {
    QImageCanvas square(30, 30);
    Outline(square, {{5, 5}, {20, 5}, {20, 20}, {5, 20}});
    square.FloodFill(10, 10, 0x000000);
    EXPECT_EQ(CountPixels(square.Image(), kRed), 14 * 14);
    EXPECT_EQ(CountPixels(square.Image(), kBlack), 60);

    // Diagonal outlines touch only at corners; the fill must not slip through.
    QImageCanvas diamond(30, 30);
    Outline(diamond, {{15, 2}, {27, 15}, {15, 27}, {2, 15}});
    diamond.FloodFill(15, 15, 0x000000);
    EXPECT_EQ(diamond.Image().pixel(15, 3), kRed);
    EXPECT_EQ(diamond.Image().pixel(0, 0), kWhite);
    EXPECT_EQ(diamond.Image().pixel(29, 29), kWhite);
}

TEST(FloodFill, StopsOnlyAtTheBorderColourWhichItMayAlsoPaint) {
    QImageCanvas surface(30, 30);
    Outline(surface, {{5, 5}, {20, 5}, {20, 20}, {5, 20}});
    const QImage outlined = surface.Image().copy();
    surface.FloodFill(5, 10, 0x000000);   // on the border
    surface.FloodFill(10, 30, 0x000000);  // off the surface
    surface.SetBrushStyle(BrushStyle::Clear);
    surface.FloodFill(10, 10, 0x000000);
    EXPECT_EQ(surface.Image(), outlined);

    surface.SetPenColour(0x00FF00);
    surface.MoveTo(8, 12);
    surface.LineTo(18, 12);
    surface.SetBrushColour(0x000000);
    surface.FloodFill(10, 10, 0x000000);
    EXPECT_EQ(CountPixels(surface.Image(), kBlack), 16 * 16);
}

TEST(FloodFill, WindsThroughPassagesAndCoversAWholeSurface) {
    QImageCanvas comb(30, 30);
    comb.SetPenColour(0x000000);
    for (int x = 2; x < 28; x += 4) {
        comb.MoveTo(x, x % 8 == 2 ? 0 : 5);
        comb.LineTo(x, x % 8 == 2 ? 25 : 30);
    }
    comb.SetBrushColour(0x0000FF);
    comb.FloodFill(0, 0, 0x000000);
    EXPECT_EQ(CountPixels(comb.Image(), kWhite), 0);

    QImageCanvas large;
    large.SetBrushColour(0x0000FF);
    large.FloodFill(225, 225, 0x000000);
    EXPECT_EQ(CountPixels(large.Image(), kRed), 450 * 450);
}

TEST(SurfaceFont, TakesPositiveHeightsAsCellsAndNegativeOnesAsCharacters) {
    const QFont cell = SurfaceFont(kDefaultFontFace, 75);
    EXPECT_EQ(QFontInfo(cell).family(), QStringLiteral("IPAPGothic"));
    EXPECT_GE(QFontMetrics(cell).height(), 73);
    EXPECT_LE(QFontMetrics(cell).height(), 75);
    EXPECT_EQ(SurfaceFont(QStringLiteral("@ＭＳ Ｐゴシック"), -12).pixelSize(), 12);
}

}  // namespace
}  // namespace quillet
