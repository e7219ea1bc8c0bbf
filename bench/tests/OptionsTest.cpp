#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "harness/Options.h"

namespace quillet::bench {
namespace {

struct Parsed {
    std::string program;
    std::string only;
    int runs = 7;
};

Parsed Parse(std::vector<const char*> args) {
    Parsed p;
    args.insert(args.begin(), "runner");
    RunnerOptions("runner --program PATH [--runs N] [--only TEXT]")
        .Path("--program", p.program)
        .Number("--runs", p.runs, 1)
        .Text("--only", p.only)
        .Parse(static_cast<int>(args.size()), args.data());
    return p;
}

std::string ErrorOf(std::vector<const char*> args) {
    try {
        Parse(std::move(args));
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return {};
}

TEST(RunnerOptionsTest, PathsBecomeAbsoluteNumbersKeepTheirLeastValue) {
    const Parsed p = Parse({"--runs", "0", "--program", "bin/quillet", "--only", "Save"});
    EXPECT_EQ(p.program, (std::filesystem::current_path() / "bin/quillet").string());
    EXPECT_EQ(p.runs, 1);
    EXPECT_EQ(p.only, "Save");
    EXPECT_EQ(Parse({"--program", "/q"}).runs, 7);  // left out: the default
}

TEST(RunnerOptionsTest, AMissingPathAnUnknownKeyOrALastKeyWithoutValueAreRefused) {
    EXPECT_EQ(ErrorOf({"--runs", "3"}), "usage: runner --program PATH [--runs N] [--only TEXT]");
    EXPECT_EQ(ErrorOf({"--program", "/q", "--sample", "3"}), "unknown option --sample");
    EXPECT_EQ(ErrorOf({"--program", "/q", "--runs"}), "option --runs needs a value");
}

}  // namespace
}  // namespace quillet::bench
