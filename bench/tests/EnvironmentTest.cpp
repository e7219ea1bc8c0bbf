#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "xlib/Process.h"

namespace quillet::bench {
namespace {

int CountNamed(const std::vector<std::string>& env, const std::string& name) {
    int count = 0;
    for (const std::string& entry : env) count += entry.rfind(name + "=", 0) == 0 ? 1 : 0;
    return count;
}

TEST(EnvironmentWithTest, ReplacesOverriddenAndDropsRemovedVariablesKeepingTheRest) {
    setenv("QUILLET_BENCH_KEPT", "1", 1);
    setenv("QUILLET_BENCH_SET", "old", 1);
    setenv("QUILLET_BENCH_GONE", "x", 1);
    const auto env = EnvironmentWith({"QUILLET_BENCH_SET=new", "QUILLET_BENCH_ADDED=2"},
                                     {"QUILLET_BENCH_GONE", "QUILLET_BENCH_NEVER_SET"});
    EXPECT_EQ(CountNamed(env, "QUILLET_BENCH_KEPT"), 1);
    EXPECT_EQ(CountNamed(env, "QUILLET_BENCH_SET"), 1);
    EXPECT_NE(std::find(env.begin(), env.end(), "QUILLET_BENCH_SET=new"), env.end());
    EXPECT_EQ(CountNamed(env, "QUILLET_BENCH_ADDED"), 1);
    EXPECT_EQ(CountNamed(env, "QUILLET_BENCH_GONE"), 0);
    // A name that merely starts like a removed one stays.
    setenv("QUILLET_BENCH_GONE_NOT", "y", 1);
    EXPECT_EQ(CountNamed(EnvironmentWith({}, {"QUILLET_BENCH_GONE"}), "QUILLET_BENCH_GONE_NOT"), 1);
}

}  // namespace
}  // namespace quillet::bench
