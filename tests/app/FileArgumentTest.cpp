#include <gtest/gtest.h>

#include <vector>

#include "app/StartupOptions.h"

using namespace quillet;

namespace {

std::optional<std::string> FileOf(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "quillet");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    return FileArgument(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(FileArgument, TheFirstArgumentThatIsNoOptionOrTheOneAfterTwoDashes) {
    EXPECT_EQ(FileOf({}), std::nullopt);
    EXPECT_EQ(FileOf({"-reverse"}), std::nullopt);
    EXPECT_EQ(FileOf({"hard.cgd", "other.cgd"}), "hard.cgd");
    EXPECT_EQ(FileOf({"--", "-odd.cgd"}), "-odd.cgd");
    EXPECT_EQ(FileOf({"--"}), std::nullopt);
    EXPECT_EQ(FileOf({"\xff\xfe.cgd"}), "\xff\xfe.cgd");  // bytes, as given
}
