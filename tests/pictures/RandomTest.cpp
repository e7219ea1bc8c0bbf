#include "ui/Random.h"

#include <gtest/gtest.h>

#include "ui/RealMath.h"

namespace quillet {
namespace {

TEST(Random, SeedsFromTheTimeOfDayToTheMillisecond) {
    EXPECT_EQ(TimeOfDaySeed(QTime(0, 0)), 0u);
    EXPECT_EQ(TimeOfDaySeed(QTime(23, 59, 59, 999)), 86399999u);
    SetTimeOfDaySource([] { return QTime(12, 34, 56, 789); });
    Randomize();
    EXPECT_EQ(RandomSeed(), 45296789u);
    SetTimeOfDaySource({});
    Randomize();
    EXPECT_LT(RandomSeed(), 86400000u);
}

TEST(Random, StepsTheStateAndTakesTheUpperHalfOfTheProduct) {
    RandomizeAt(QTime(12, 34, 56, 789));
    EXPECT_EQ(Random(4), 1);
    EXPECT_EQ(RandomSeed(), 2099557098u);
    EXPECT_EQ(Random(2), 0);
    EXPECT_EQ(RandomSeed(), 1162356371u);
    EXPECT_EQ(Random(100), 35);
    EXPECT_EQ(Random(2147483647), 51191856);
    // The state wraps modulo 2^32.
    SetRandomSeed(0xFFFFFFFFu);
    EXPECT_EQ(Random(4), 3);
    EXPECT_EQ(RandomSeed(), 4160191484u);
    // An empty range still steps the state.
    SetRandomSeed(0);
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(RandomSeed(), 1u);
}

TEST(RealMath, RoundsHalvesToEvenAndTruncatesTowardZero) {
    EXPECT_EQ(Round(247.5L), 248);
    EXPECT_EQ(Round(246.5L), 246);
    EXPECT_EQ(Round(-0.5L), 0);
    EXPECT_EQ(Round(-1.5L), -2);
    EXPECT_EQ(Round(-2.5001L), -3);
    EXPECT_EQ(Trunc(2.9L), 2);
    EXPECT_EQ(Trunc(-2.9L), -2);
    // The banner's left column: 450 / 2 x 1.1 at extended precision is a half.
    EXPECT_EQ(Round(450.0L / 2 * 1.1L), 248);
}

}  // namespace
}  // namespace quillet
