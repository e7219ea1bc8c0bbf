#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "harness/Scratch.h"
#include "x11/WindowHistory.h"

namespace quillet::bench {
namespace {

using std::chrono::milliseconds;

const TimePoint t0{};
const Rect kMain{240, 120, 534, 416};

// A window that maps, paints and goes within one batch of events, as a
// program that quits after its first paint does, is still seen with its paint.
TEST(WindowHistoryTest, KeepsAShowingAndItsDrawingAfterTheWindowIsGone) {
    WindowHistory h;
    h.Drew({0, 0, 1280, 1024}, t0);  // before any window: belongs to none
    h.Created(7, kMain, false);
    h.Drew(kMain, t0 + milliseconds(1));  // not mapped yet
    h.Mapped(7, t0 + milliseconds(2));
    h.Drew({0, 0, 10, 10}, t0 + milliseconds(3));  // elsewhere on the screen
    h.Drew({300, 200, 5, 5}, t0 + milliseconds(4));
    h.Drew({700, 500, 200, 200}, t0 + milliseconds(5));  // overlaps its corner
    h.Unmapped(7, t0 + milliseconds(6));
    h.Drew(kMain, t0 + milliseconds(7));  // after it went
    h.Destroyed(7, t0 + milliseconds(8));

    EXPECT_TRUE(h.OpenShowings().empty());
    EXPECT_FALSE(h.IsOpen(7));
    const auto shown = h.ShowingsSince(t0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].window, 7u);
    EXPECT_EQ(shown[0].rect.width, 534);
    EXPECT_EQ(shown[0].mappedAt, t0 + milliseconds(2));
    EXPECT_EQ(shown[0].firstDrawing, t0 + milliseconds(4));
    EXPECT_EQ(shown[0].lastDrawing, t0 + milliseconds(5));
    EXPECT_EQ(shown[0].unmappedAt, t0 + milliseconds(6));
    EXPECT_TRUE(h.ShowingsSince(t0 + milliseconds(3)).empty());
}

// A pop-up menu is one window mapped again for each opening; its moves count.
TEST(WindowHistoryTest, EachMapOfAWindowIsAShowingOfItsOwnWhereTheWindowIsThen) {
    WindowHistory h;
    h.Created(9, {0, 0, 60, 200}, true);
    h.Mapped(9, t0);
    h.Mapped(9, t0 + milliseconds(1));  // a repeated map starts nothing new
    h.Unmapped(9, t0 + milliseconds(2));
    h.Configured(9, {500, 500, 60, 200});
    h.Mapped(9, t0 + milliseconds(3));
    h.Drew({0, 0, 10, 10}, t0 + milliseconds(4));  // where it was before, not where it is
    h.Configured(42, {0, 0, 1, 1});                // not a top-level window

    const auto shown = h.ShowingsSince(t0);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_FALSE(shown[0].Open());
    EXPECT_FALSE(shown[0].firstDrawing);
    EXPECT_TRUE(shown[1].Open());
    EXPECT_EQ(shown[1].rect.x, 500);
    EXPECT_TRUE(shown[1].overrideRedirect);
    EXPECT_FALSE(shown[1].firstDrawing);
    ASSERT_EQ(h.OpenShowings().size(), 1u);
    EXPECT_TRUE(h.IsOpen(9));
}

// A failing run keeps its scratch directory, so the log its message names exists.
TEST(ScratchDirectoryTest, StaysWhenLeftByAnExceptionAndGoesOtherwise) {
    std::string kept;
    try {
        ScratchDirectory scratch("quillet-bench-test");
        kept = scratch.Path();
        std::ofstream(kept + "/program.log") << "what went wrong\n";
        throw std::runtime_error("failed run");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(std::filesystem::exists(kept + "/program.log"));
    std::filesystem::remove_all(kept);

    std::string removed;
    {
        ScratchDirectory scratch("quillet-bench-test");
        removed = scratch.Path();
    }
    EXPECT_FALSE(std::filesystem::exists(removed));
}

}  // namespace
}  // namespace quillet::bench
