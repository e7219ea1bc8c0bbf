#include <gtest/gtest.h>

#include "printing/ShownName.h"

namespace quillet::printing {
namespace {

// A caption loses no byte of a file's name: what is not valid UTF-8, or is a
// control character, shows as \xNN, byte by byte.
TEST(ShownName, KeepsValidTextAndShowsEveryOtherByte) {
    EXPECT_EQ(ShownName("けさの問題.txt"), QStringLiteral("けさの問題.txt"));
    EXPECT_EQ(ShownName("a\xff"
                        "b"),
              QStringLiteral("a\\xFFb"));
    EXPECT_EQ(ShownName("tab\there"), QStringLiteral("tab\\x09here"));
    // An overlong "/", a lone surrogate and a cut-off sequence.
    EXPECT_EQ(ShownName("\xc0\xaf"), QStringLiteral("\\xC0\\xAF"));
    EXPECT_EQ(ShownName("\xed\xa0\x80"), QStringLiteral("\\xED\\xA0\\x80"));
    EXPECT_EQ(ShownName("\xe3\x81"), QStringLiteral("\\xE3\\x81"));
    EXPECT_EQ(LeafOf("/home/a/day.txt"), "day.txt");
    EXPECT_EQ(LeafOf("day.txt"), "day.txt");
}

}  // namespace
}  // namespace quillet::printing
