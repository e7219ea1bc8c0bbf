#include "files/BoardText.h"

#include <gtest/gtest.h>

#include "board/BoardSnapshot.h"

namespace quillet {
namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

TEST(BoardTextTest, EveryLineEndsWithCrLfAndNothingElseIsWritten) {
    EXPECT_EQ(JoinBoardText({"5", ""}), "\x35\x0D\x0A\x0D\x0A");
    EXPECT_EQ(JoinBoardText({}), "");
    EXPECT_EQ(JoinBoardText({"\x80\xFF"}), "\x80\xFF\r\n");
}

TEST(BoardTextTest, SplitsAtCrLfLoneCrAndLoneLf) {
    EXPECT_EQ(SplitBoardText("1\n2\r3"), (Lines{"1", "2", "3"}));
    EXPECT_EQ(SplitBoardText("1\n\r2"), (Lines{"1", "", "2"}));
    EXPECT_EQ(SplitBoardText("1\r\n\r\n2\r\n"), (Lines{"1", "", "2"}));
    EXPECT_EQ(SplitBoardText("1\r\r\n"), (Lines{"1", ""}));
}

TEST(BoardTextTest, EmptyTextHasNoLinesAndALoneEndingHasOne) {
    EXPECT_TRUE(SplitBoardText("").empty());
    EXPECT_EQ(SplitBoardText("\r\n"), (Lines{""}));
}

TEST(BoardTextTest, TextEndsAtTheFirstZeroByte) {
    EXPECT_EQ(SplitBoardText("1\r\n2\0003\r\n4"s), (Lines{"1", "2"}));
    EXPECT_TRUE(SplitBoardText("\0001\r\n"s).empty());
}

TEST(BoardTextTest, KeepsTheFirst4096BytesOfALineAndTheFirst81Lines) {
    const std::string longLine(5000, 'x');
    const Lines lines = SplitBoardText(longLine + "\r\nnext");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(BoardSnapshot::kLineReadCap, 'x'));
    EXPECT_EQ(lines[1], "next");

    std::string text;
    for (int k = 0; k < 100; ++k) text += std::to_string(k) + "\n";
    const Lines first = SplitBoardText(text);
    ASSERT_EQ(first.size(), kBoardLineCount);
    EXPECT_EQ(first.back(), "80");
}

}  // namespace
}  // namespace quillet
