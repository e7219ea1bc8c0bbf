#include "drawing/RealMath.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

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
