// The pictures drawn on a real bitmap: exact colours, fills that stay inside
// their outlines, and the white corner the window's transparency keys on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "drawing/Fonts.h"
#include "drawing/QImageCanvas.h"
#include "pictures/Banner.h"
#include "pictures/Pictures.h"

namespace quillet {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;

int CountPixels(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
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

// Each column measured in its own frame, turned 20 degrees clockwise about its
// reference point: y down the column, x across it. The cells come from the
// face's vertical advances (IPAPGothic's vmtx for the vertical forms, in
// thousandths of the em). Its cell is about 1.087 em high, so the em is 69
// pixels at the banner's cell height of 75; the column is the cell, 75 wide.
TEST(BannerOnBitmap, SetsEachColumnInVerticalTypeFromItsReferencePoint) {
    ASSERT_EQ(SurfaceFont(QStringLiteral("@") + kDefaultFontFace, 75).pixelSize(), 69);
    QImageCanvas surface;
    surface.SetBrushStyle(BrushStyle::Clear);
    DrawBanner(surface, 0x00FFFF, 450);
    struct Column {
        QPointF reference;
        int advances[4];
    };
    const Column columns[] = {{{360, 112}, {920, 940, 880, 940}},
                              {{248, 112}, {940, 920, 930, 930}}};
    const double turn = 20 * 3.14159265358979 / 180;
    for (const Column& column : columns) {
        double bounds[5] = {0};
        for (int k = 0; k < 4; ++k) bounds[k + 1] = bounds[k] + column.advances[k] * 0.069;
        int ink[4] = {0};
        double left = 0, right = -75;
        for (int y = 0; y < 450; ++y) {
            for (int x = 0; x < 450; ++x) {
                if (surface.Image().pixel(x, y) == kWhite) continue;
                const QPointF q = QPointF(x + 0.5, y + 0.5) - column.reference;
                const double across = q.x() * std::cos(turn) + q.y() * std::sin(turn);
                const double along = -q.x() * std::sin(turn) + q.y() * std::cos(turn);
                if (across < -90 || across > 15 || along < -30 || along > 330) continue;
                ASSERT_TRUE(across > -75 && across < 0) << x << "," << y;
                ASSERT_TRUE(along > 0 && along < bounds[4]) << x << "," << y;
                // Every character stays clear of its cell's ends.
                const int k =
                    static_cast<int>(std::upper_bound(bounds, bounds + 4, along) - bounds) - 1;
                ASSERT_TRUE(along > bounds[k] + 1 && along < bounds[k + 1] - 1) << x << "," << y;
                ++ink[k];
                left = std::min(left, across);
                right = std::max(right, across);
            }
        }
        for (int k = 0; k < 4; ++k) EXPECT_GT(ink[k], 150) << "cell " << k;
        EXPECT_NEAR((left + right) / 2, -37.5, 1.5);
    }
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
                ASSERT_TRUE(bounds.contains(px, py))
                    << "fill " << fills << " leaked to " << px << "," << py;
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
    ::testing::Values(
        Picture{"Crown", DrawCrown}, Picture{"Blossom", DrawBlossom},
        Picture{"Spiral5", [](Canvas& s, int n, int h) { DrawSpiralFlowerCircle(s, n, h, 5); }},
        Picture{"Spiral6", [](Canvas& s, int n, int h) { DrawSpiralFlowerCircle(s, n, h, 6); }},
        Picture{"Ringed", DrawRingedFlowerCircle}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet
