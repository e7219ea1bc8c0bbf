#include <gtest/gtest.h>

#include "harness/Stats.h"

namespace quillet::bench {
namespace {

TEST(QuantileTest, InterpolatesBetweenRanksOfUnsortedSamples) {
    EXPECT_DOUBLE_EQ(Median({4, 1, 3, 2}), 2.5);
    EXPECT_DOUBLE_EQ(Median({5, 1, 3}), 3);
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) hundred.push_back(i);
    EXPECT_NEAR(Quantile(hundred, 0.99), 99.01, 1e-9);
    EXPECT_DOUBLE_EQ(Quantile(hundred, 1.0), 100);
    EXPECT_DOUBLE_EQ(Quantile(hundred, 0.0), 1);
}

TEST(QuantileTest, DegenerateSamples) {
    EXPECT_DOUBLE_EQ(Quantile({}, 0.99), 0);
    EXPECT_DOUBLE_EQ(Quantile({7}, 0.99), 7);
    EXPECT_DOUBLE_EQ(Quantile({1, 2}, 2.0), 2);
}

}  // namespace
}  // namespace quillet::bench
