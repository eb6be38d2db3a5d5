#include <gtest/gtest.h>

#include <algorithm>

#include "skin_test_support.h"
#include "ui/skin/lzh.h"

namespace kestrone {
namespace {

std::string RoundTrip(const std::string& data) {
    std::string out;
    EXPECT_TRUE(UnpackSkin(skinpack::PackSkin(data), out));
    return out;
}

TEST(Lzh, RoundTripsVariedData) {
    std::string runs(100000, 'a');
    runs += std::string(5000, '\0') + std::string(4097, ' ') + "tail";
    std::string periodic;
    for (int i = 0; i < 30000; ++i) periodic += static_cast<char>("abcdefghij"[i % 7]);
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "C:\\RECYCLER\\kavo" + std::to_string(i % 37) + ".exe  cleaned\r\n";
    const struct {
        const char* name;
        std::string data;
    } cases[] = {
        {"empty", ""},
        {"one byte", "x"},
        {"one blank", " "},
        {"exactly the look-ahead", std::string(60, 'q')},
        {"long runs", runs},
        {"periodic", periodic},
        {"text", text},
        {"random", test::RandomBytes(200000, 7)},
        {"random small alphabet", test::RandomBytes(300000, 11, 3)},
    };
    for (const auto& c : cases) {
        const std::string back = RoundTrip(c.data);
        EXPECT_EQ(back.size(), c.data.size()) << c.name;
        EXPECT_TRUE(back == c.data) << c.name;
    }
}

TEST(Lzh, RoundTripsTheDefaultSkin) {
    std::string unpacked;
    ASSERT_TRUE(UnpackSkin(test::DefaultPackedSkin(), unpacked));
    EXPECT_EQ(skinpack::PackSkin(unpacked), test::DefaultPackedSkin());
}

// Skewed (Fibonacci) symbol counts make the adaptive tree deep and lopsided,
// so codes get long and the tree is rebuilt many times.
TEST(Lzh, RoundTripsSkewedSymbolFrequencies) {
    std::string data;
    uint64_t a = 1, b = 1;
    for (int symbol = 0; symbol < 22; ++symbol) {
        // Literal-only material: every byte differs from its neighbours.
        for (uint64_t i = 0; i < a && data.size() < 400000; ++i) data += static_cast<char>(symbol * 11);
        const uint64_t next = a + b;
        a = b;
        b = next;
    }
    std::mt19937 rng(3);
    std::shuffle(data.begin(), data.end(), rng);
    EXPECT_TRUE(RoundTrip(data) == data);
}

TEST(Lzh, DecodesHandMadeStreams) {
    // A fresh tree has 314 leaves under 313 inner nodes: the left-most path
    // from the root is 8 levels deep and ends at leaf 116 ('t'); the
    // right-most is 9 deep and ends at leaf 115 ('s'), its left neighbour at
    // 114 ('r').
    const struct {
        std::string stream;
        std::string text;
    } cases[] = {
        {std::string(1, '\x00'), "t"},
        {std::string(2, '\xFF'), "s"},
        {std::string("\xFF\x00", 2), "r"},
    };
    for (const auto& c : cases) {
        std::string out;
        TLZH::Decode(c.stream, 1, out);
        EXPECT_EQ(out, c.text);
    }
}

TEST(Lzh, ReadsZeroBytesPastTheEnd) {
    // An empty stream still yields the declared size (all from zero bits).
    std::string fromNothing, fromZeros;
    TLZH::Decode("", 300, fromNothing);
    TLZH::Decode(std::string(64, '\0'), 300, fromZeros);
    EXPECT_EQ(fromNothing.size(), 300u);
    EXPECT_EQ(fromNothing, fromZeros);
}

TEST(Lzh, StopsAtTheDeclaredSizeInsideAMatch) {
    const std::string data(1000, 'z');
    std::string packed = skinpack::PackSkin(data);
    packed[0] = static_cast<char>(101);  // 101 bytes: the cut falls inside a match
    packed[1] = 0;
    std::string out;
    ASSERT_TRUE(UnpackSkin(packed, out));
    EXPECT_EQ(out, std::string(101, 'z'));
}

TEST(Lzh, RefusesSizesTheStreamCannotHold) {
    std::string out;
    const struct {
        const char* name;
        std::string packed;
        bool accepted;
    } cases[] = {
        {"shorter than the size field", "\x05\x00\x00", false},
        {"empty size, nothing more", std::string("\0\0\0\0", 4), true},
        {"4 GiB from five bytes", std::string("\xFF\xFF\xFF\xFF\x00", 5), false},
        {"just above what 10 bytes can encode", std::string("\xA1\x02\x00\x00", 4) + std::string(10, '\0'), false},
        {"what 10 bytes can encode", std::string("\xA0\x02\x00\x00", 4) + std::string(10, '\0'), true},
    };
    for (const auto& c : cases) EXPECT_EQ(UnpackSkin(c.packed, out), c.accepted) << c.name;
    EXPECT_EQ(TLZH::MaxUnpackedSize(10), 672u);
}

TEST(Lzh, HonoursTheUnpackLimit) {
    const std::string packed = skinpack::PackSkin(std::string(5000, 'k'));
    std::string out;
    EXPECT_FALSE(UnpackSkin(packed, out, 4999));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(UnpackSkin(packed, out, 5000));
}

}  // namespace
}  // namespace kestrone
