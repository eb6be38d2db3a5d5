#include <gtest/gtest.h>

#include "core/definitions.h"

namespace kestrone {
namespace {

TEST(SplitList, FollowsTheSeparatedTextRules) {
    struct Case {
        const char* text;
        TextList items;
    } cases[] = {
        {"", {}},
        {"None", {}},
        {"None,", {"NONE"}},
        {"none", {"NONE"}},
        {"a,b,", {"A", "B"}},
        {"a,,b", {"A", "", "B"}},
        {",a", {"", "A"}},
        {"a, b", {"A", " B"}},
        {",", {""}},
        {"kavo.exe", {"KAVO.EXE"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitList(c.text, ','), c.items) << "text: " << c.text;
}

TEST(SplitList, UpperCasesAsciiOnly) {
    // Double-byte characters of the ANSI code page pass through unchanged.
    EXPECT_EQ(SplitList("\xb2\xa1x$y", '$'), (TextList{"\xb2\xa1X", "Y"}));
}

TEST(JoinList, RoundTripsThroughSplitList) {
    TextList items{"A", "", "B C"};
    EXPECT_EQ(JoinList(items), "A,,B C,");
    EXPECT_EQ(SplitList(JoinList(items), ','), items);
    EXPECT_EQ(JoinLines({"x", "y"}), "x\ry\r");
}

TEST(ParseInteger, DecimalHexAndRejects) {
    int32_t v = 0;
    EXPECT_TRUE(ParseInteger("0x2", v));
    EXPECT_EQ(v, 2);
    EXPECT_TRUE(ParseInteger("$ff", v));
    EXPECT_EQ(v, 255);
    EXPECT_TRUE(ParseInteger("-17", v));
    EXPECT_EQ(v, -17);
    EXPECT_TRUE(ParseInteger("$FFFFFFFF", v));
    EXPECT_EQ(v, -1);
    EXPECT_TRUE(ParseInteger("2147483647", v));
    for (const char* bad : {"", "abc", "1a", "0x", "$", "2147483648", "0x1FFFFFFFF", "1 2"}) {
        EXPECT_FALSE(ParseInteger(bad, v)) << bad;
    }
}

}  // namespace
}  // namespace kestrone
