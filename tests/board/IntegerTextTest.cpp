#include "board/IntegerText.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ParseInteger, ReadsDecimalAndHexadecimalWithSign) {
    EXPECT_EQ(ParseInteger("7"), 7);
    EXPECT_EQ(ParseInteger("0"), 0);
    EXPECT_EQ(ParseInteger("  42"), 42);
    EXPECT_EQ(ParseInteger("+3"), 3);
    EXPECT_EQ(ParseInteger("-3"), -3);
    EXPECT_EQ(ParseInteger("$1F"), 31);
    EXPECT_EQ(ParseInteger("x10"), 16);
    EXPECT_EQ(ParseInteger("X10"), 16);
    EXPECT_EQ(ParseInteger("0x10"), 16);
    EXPECT_EQ(ParseInteger("-$a"), -10);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseInteger("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, RejectsEverythingElse) {
    for (const char* bad : {"", " ", "+", "-", ".", ",", "$", "0x", "x", "a", "1a", "1 ", "0X5",
                            "$G", "--1", "2147483648", "99999999999999999999", "\xef", "１"}) {
        EXPECT_EQ(ParseInteger(bad), std::nullopt) << '"' << bad << '"';
    }
}

}  // namespace
}  // namespace quillet
