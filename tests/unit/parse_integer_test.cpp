#include "foundation/parse_integer.h"

#include <gtest/gtest.h>

namespace quenlo {
namespace {

TEST(ParseInteger, DecimalWithOptionalSign) {
    EXPECT_EQ(parse_integer("0"), 0);
    EXPECT_EQ(parse_integer("007"), 7);
    EXPECT_EQ(parse_integer("+12"), 12);
    EXPECT_EQ(parse_integer("-2"), -2);
    EXPECT_EQ(parse_integer("-0"), 0);
    EXPECT_EQ(parse_integer("2147483647"), 2147483647);
    EXPECT_EQ(parse_integer("-2147483648"), -2147483647 - 1);
}

TEST(ParseInteger, AnythingElseIsNoNumber) {
    for (const char* text : {"", "+", "-", " 1", "1 ", "1a", "$1F", "0x1F", "1.5", "1,5", "--1",
                             "2147483648", "-2147483649", "99999999999999999999", "\xC3\xA8"})
        EXPECT_FALSE(parse_integer(text)) << text;
}

}  // namespace
}  // namespace quenlo
