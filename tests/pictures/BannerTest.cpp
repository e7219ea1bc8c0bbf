#include "pictures/Banner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "RecordingCanvas.h"
#include "pictures/Pictures.h"

namespace quillet {
namespace {

using testing::RecordingCanvas;
using Op = RecordingCanvas::Op;

TEST(RotateFont, TruncatesToTenthsAndLastsUntilTheFaceOrHeightChanges) {
    RecordingCanvas surface;
    RotateFont(surface, 12.34f);
    EXPECT_EQ(surface.FontEscapement(), 123);
    RotateFont(surface, -12.39f);
    EXPECT_EQ(surface.FontEscapement(), -123);
    RotateFont(surface, -0.05f);
    EXPECT_EQ(surface.FontEscapement(), 0);

    RotateFont(surface, 45.0f);
    surface.SetFontColour(0x123456);
    EXPECT_EQ(surface.FontEscapement(), 450);
    surface.SetFontHeight(20);
    EXPECT_EQ(surface.FontEscapement(), 0);
    RotateFont(surface, 45.0f);
    surface.SetFontFace(surface.FontFace());
    EXPECT_EQ(surface.FontEscapement(), 0);
}

TEST(DrawBanner, WritesTwoRotatedVerticalColumnsAndRestoresTheFace) {
    RecordingCanvas surface;
    DrawBanner(surface, 0x00FFFF, 450);

    const auto texts = surface.Only(Op::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("よくでき"));
    EXPECT_EQ(texts[0].Point(), QPoint(360, 112));
    EXPECT_EQ(texts[1].text, QStringLiteral("ました！"));
    EXPECT_EQ(texts[1].Point(), QPoint(248, 112));
    for (const auto& text : texts) {
        EXPECT_EQ(text.fontFace, QStringLiteral("@ＭＳ Ｐゴシック"));
        EXPECT_EQ(text.fontEscapement, -1100);
        EXPECT_EQ(text.fontHeight, 75);
        EXPECT_EQ(text.fontColour, 0x00FFFFu);
    }
    EXPECT_EQ(surface.FontFace(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(surface.FontEscapement(), 0);
    EXPECT_EQ(surface.FontColour(), 0x00FFFFu);
    EXPECT_EQ(surface.FontHeight(), 75);
}

struct CaptionCase {
    const char* name;
    void (*draw)(Canvas&, int, int);
    QString caption;
    QPoint at;
    int height;
    Colour colour;
    bool bannerFirst;
};

void PrintTo(const CaptionCase& c, std::ostream* out) { *out << c.name; }

void Spiral5(Canvas& surface, int size, int h) { DrawSpiralFlowerCircle(surface, size, h, 5); }

class Captions : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(Captions, FollowTheBannerHorizontallyInItsColour) {
    const CaptionCase& c = GetParam();
    RecordingCanvas surface;
    c.draw(surface, 450, 450);

    const auto texts = surface.Only(Op::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].brushStyle, BrushStyle::Clear);
    const auto& caption = texts[2];
    EXPECT_EQ(caption.text, c.caption);
    EXPECT_EQ(caption.Point(), c.at);
    EXPECT_EQ(caption.fontHeight, c.height);
    EXPECT_EQ(caption.fontColour, c.colour);
    EXPECT_EQ(caption.fontFace, kDefaultFontFace);
    EXPECT_EQ(caption.fontEscapement, 0);
    EXPECT_EQ(caption.brushStyle, BrushStyle::Clear);
    // The crown and the blossom write before their figure, the circles after.
    auto isText = [](const auto& call) { return call.op == Op::TextOut; };
    auto isLine = [](const auto& call) { return call.op == Op::MoveTo || call.op == Op::LineTo; };
    const auto& calls = surface.calls;
    const auto firstText = std::find_if(calls.begin(), calls.end(), isText);
    const auto firstLine = std::find_if(calls.begin(), calls.end(), isLine);
    const auto afterLastLine = std::find_if(calls.rbegin(), calls.rend(), isLine).base();
    EXPECT_TRUE(c.bannerFirst ? firstText < firstLine : firstText >= afterLastLine);
}

INSTANTIATE_TEST_SUITE_P(
    EveryPicture, Captions,
    ::testing::Values(
        CaptionCase{
            "Crown", DrawCrown, QStringLiteral("冠をクリック"), {0, 423}, 27, 0x00FFFF, true},
        CaptionCase{
            "Blossom", DrawBlossom, QStringLiteral("桜をクリック"), {34, 394}, 34, 0xFF00FF, true},
        CaptionCase{
            "Spiral", Spiral5, QStringLiteral("花○をクリック"), {0, 418}, 32, 0x00FFFF, false},
        CaptionCase{"Ringed",
                    DrawRingedFlowerCircle,
                    QStringLiteral("花○をクリック"),
                    {0, 418},
                    32,
                    0x00FFFF,
                    false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillet
