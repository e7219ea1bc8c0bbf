#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "harness/Process.h"

namespace quillet::bench {
namespace {

int CountNamed(const std::vector<std::string>& env, const std::string& name) {
    int count = 0;
    for (const std::string& entry : env) count += entry.rfind(name + "=", 0) == 0 ? 1 : 0;
    return count;
}

std::vector<std::string> ProcessEnvironment() {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) entries.emplace_back(*entry);
    std::ranges::sort(entries);
    return entries;
}

// The runners hand the process's environment to the programs they start, so
// a test of this suite leaves it exactly as it found it.
class EnvironmentUnchanged : public ::testing::Environment {
public:
    void SetUp() override { before_ = ProcessEnvironment(); }
    void TearDown() override {
        std::vector<std::string> changed;
        std::ranges::set_symmetric_difference(ProcessEnvironment(), before_,
                                              std::back_inserter(changed));
        for (const std::string& entry : changed)
            ADD_FAILURE() << "left changed: " << entry.substr(0, entry.find('='));
    }

private:
    std::vector<std::string> before_;
};
[[maybe_unused]] ::testing::Environment* const kEnvironmentUnchanged =
    ::testing::AddGlobalTestEnvironment(new EnvironmentUnchanged);

// Sets a variable for one test and puts back what was there before.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedVariable() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(EnvironmentWithTest, ReplacesOverriddenAndDropsRemovedVariablesKeepingTheRest) {
    const ScopedVariable kept("QUILLET_BENCH_KEPT", "1");
    const ScopedVariable set("QUILLET_BENCH_SET", "old");
    const ScopedVariable gone("QUILLET_BENCH_GONE", "x");
    const auto env = EnvironmentWith({"QUILLET_BENCH_SET=new", "QUILLET_BENCH_ADDED=2"},
                                     {"QUILLET_BENCH_GONE", "QUILLET_BENCH_NEVER_SET"});
    EXPECT_EQ(CountNamed(env, "QUILLET_BENCH_KEPT"), 1);
    EXPECT_EQ(CountNamed(env, "QUILLET_BENCH_SET"), 1);
    EXPECT_NE(std::find(env.begin(), env.end(), "QUILLET_BENCH_SET=new"), env.end());
    EXPECT_EQ(CountNamed(env, "QUILLET_BENCH_ADDED"), 1);
    EXPECT_EQ(CountNamed(env, "QUILLET_BENCH_GONE"), 0);
    // A name that merely starts like a removed one stays.
    const ScopedVariable gonePrefix("QUILLET_BENCH_GONE_NOT", "y");
    EXPECT_EQ(CountNamed(EnvironmentWith({}, {"QUILLET_BENCH_GONE"}), "QUILLET_BENCH_GONE_NOT"), 1);
}

}  // namespace
}  // namespace quillet::bench
