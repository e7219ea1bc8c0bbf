#include "pictures/Random.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(Random, SeedsFromTheTimeOfDayToTheMillisecond) {
    EXPECT_EQ(TimeOfDaySeed(QTime(0, 0)), 0u);
    EXPECT_EQ(TimeOfDaySeed(QTime(23, 59, 59, 999)), 86399999u);
    RandomGenerator random;
    random.Randomize(QTime(12, 34, 56, 789));
    EXPECT_EQ(random.Seed(), 45296789u);
    random.Randomize(CurrentUtcTimeOfDay());
    EXPECT_LT(random.Seed(), 86400000u);
}

TEST(Random, StepsTheStateAndTakesTheUpperHalfOfTheProduct) {
    RandomGenerator random;
    random.Randomize(QTime(12, 34, 56, 789));
    EXPECT_EQ(random.Random(4), 1);
    EXPECT_EQ(random.Seed(), 2099557098u);
    EXPECT_EQ(random.Random(2), 0);
    EXPECT_EQ(random.Seed(), 1162356371u);
    EXPECT_EQ(random.Random(100), 35);
    EXPECT_EQ(random.Random(2147483647), 51191856);
    // The state wraps modulo 2^32.
    random.SetSeed(0xFFFFFFFFu);
    EXPECT_EQ(random.Random(4), 3);
    EXPECT_EQ(random.Seed(), 4160191484u);
    // An empty range still steps the state.
    random.SetSeed(0);
    EXPECT_EQ(random.Random(0), 0);
    EXPECT_EQ(random.Seed(), 1u);
}

TEST(Random, GeneratorsAreIndependent) {
    RandomGenerator first(7), second(7);
    const int drawn = first.Random(1000);
    first.Random(1000);
    EXPECT_EQ(second.Random(1000), drawn);
}

}  // namespace
}  // namespace quillet
