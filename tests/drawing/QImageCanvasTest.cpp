#include "ui/QImageCanvas.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ui/Banner.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"

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
    surface.FloodFill(5, 10, 0x000000);    // on the border
    surface.FloodFill(10, 30, 0x000000);   // off the surface
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

TEST(QImageCanvasText, SetsTheBannerInExactColourBelowAndLeftOfItsReferencePoints) {
    QImageCanvas surface;
    surface.SetBrushStyle(BrushStyle::Clear);
    DrawBanner(surface, 0x00FFFF, 450);
    int right = 0, left = 0;
    for (int y = 0; y < 450; ++y) {
        for (int x = 0; x < 450; ++x) {
            const QRgb pixel = surface.Image().pixel(x, y);
            if (pixel == kWhite) continue;
            ASSERT_EQ(pixel, qRgb(255, 255, 0)) << x << "," << y;
            ASSERT_TRUE(x <= 362 && y >= 84) << x << "," << y;
            (x > 250 ? right : left) += 1;
        }
    }
    EXPECT_GT(right, 500);
    EXPECT_GT(left, 500);
}

// Lets only pixels within the bounds of the outline drawn before a fill change.
class FillSpy : public QImageCanvas {
public:
    std::vector<QPoint> outline;
    int fills = 0;
    void MoveTo(int x, int y) override {
        outline = {QPoint(x, y)};
        QImageCanvas::MoveTo(x, y);
    }
    void LineTo(int x, int y) override {
        outline.emplace_back(x, y);
        QImageCanvas::LineTo(x, y);
    }
    void FloodFill(int x, int y, Colour border) override {
        QRect bounds(outline.front(), outline.front());
        for (const QPoint& p : outline) bounds |= QRect(p, p);
        const QImage before = Image().copy();
        QImageCanvas::FloodFill(x, y, border);
        ++fills;
        int changed = 0;
        for (int py = 0; py < Image().height(); ++py) {
            for (int px = 0; px < Image().width(); ++px) {
                if (Image().pixel(px, py) == before.pixel(px, py)) continue;
                ++changed;
                ASSERT_TRUE(bounds.contains(px, py)) << "fill " << fills << " leaked to " << px << "," << py;
            }
        }
        EXPECT_GT(changed, 300) << "fill " << fills;
    }
};

TEST(CrownOnBitmap, FillsEveryLeafInsideItsOutline) {
    FillSpy surface;
    DrawCrown(surface, 450, 450);
    EXPECT_EQ(surface.fills, 30);
}

struct Picture {
    const char* name;
    void (*draw)(Canvas&, int, int);
};
void PrintTo(const Picture& picture, std::ostream* out) { *out << picture.name; }

class EveryPictureOnBitmap : public ::testing::TestWithParam<Picture> {};

TEST_P(EveryPictureOnBitmap, LeavesTheBottomLeftPixelWhite) {
    QImageCanvas surface;
    GetParam().draw(surface, 450, 450);
    EXPECT_EQ(surface.Image().pixel(0, 449), kWhite);
    EXPECT_LT(CountPixels(surface.Image(), kWhite), 450 * 450 - 2000);
}

INSTANTIATE_TEST_SUITE_P(
    FourPictures, EveryPictureOnBitmap,
    ::testing::Values(Picture{"Crown", DrawCrown}, Picture{"Blossom", DrawBlossom},
                      Picture{"Spiral5", [](Canvas& s, int n, int h) { DrawSpiralFlowerCircle(s, n, h, 5); }},
                      Picture{"Spiral6", [](Canvas& s, int n, int h) { DrawSpiralFlowerCircle(s, n, h, 6); }},
                      Picture{"Ringed", DrawRingedFlowerCircle}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet
