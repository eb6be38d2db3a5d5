#include <gtest/gtest.h>

#include "skin_test_support.h"
#include "ui/skin/bmp_decoder.h"

namespace kestrone {
namespace {

using skinart::BmpOptions;
using skinart::EncodeBmp;

// A picture whose colours survive every depth: two-level channels only.
SkinBitmap Pattern(int width, int height, int colours) {
    const uint32_t palette[] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00,
                                0x00FFFF, 0xFF00FF};
    SkinBitmap b(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) b.At(x, y) = palette[(x * 3 + y * 5 + x * y) % colours];
    }
    return b;
}

void Put16(std::string& s, size_t at, uint32_t v) {
    s[at] = static_cast<char>(v & 0xFF);
    s[at + 1] = static_cast<char>(v >> 8);
}
void Put32(std::string& s, size_t at, uint32_t v) {
    Put16(s, at, v & 0xFFFF);
    Put16(s, at + 2, v >> 16);
}

TEST(BmpDecoder, ReadsEveryDepthBothWays) {
    const std::vector<uint32_t> eight = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                         0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    const struct {
        int bits;
        int colours;
    } depths[] = {{1, 2}, {4, 8}, {8, 8}, {16, 8}, {24, 8}, {32, 8}};
    for (const auto& d : depths) {
        for (bool topDown : {false, true}) {
            // Odd widths exercise the row padding of every depth.
            for (int width : {1, 7, 13}) {
                const SkinBitmap picture = Pattern(width, 5, d.colours);
                BmpOptions options{d.bits, topDown, std::vector<uint32_t>(eight.begin(), eight.begin() + d.colours)};
                SkinBitmap decoded;
                ASSERT_TRUE(DecodeBmp(EncodeBmp(picture, options), decoded))
                    << d.bits << " bits, top-down " << topDown << ", width " << width;
                EXPECT_EQ(decoded, picture) << d.bits << " bits, top-down " << topDown << ", width " << width;
            }
        }
    }
}

TEST(BmpDecoder, ScalesSixteenBitChannels) {
    SkinBitmap one(1, 1, 0x808080);
    SkinBitmap decoded;
    ASSERT_TRUE(DecodeBmp(EncodeBmp(one, {16, false, {}}), decoded));
    // 0x80 keeps 5 bits (16 of 31), which scale back to 132.
    EXPECT_EQ(decoded.At(0, 0), 0x848484u);
}

TEST(BmpDecoder, ReadsBitFieldMasks) {
    // A 2 x 1 picture in 5-6-5: pure red and pure green.
    std::string bmp = EncodeBmp(SkinBitmap(2, 1), {16, false, {}});
    Put32(bmp, 30, 3);  // BI_BITFIELDS
    const std::string masks = std::string("\x00\xF8\x00\x00\xE0\x07\x00\x00\x1F\x00\x00\x00", 12);
    bmp.insert(54, masks);
    Put32(bmp, 10, 54 + 12);
    Put16(bmp, 66, 0xF800);
    Put16(bmp, 68, 0x07E0);
    SkinBitmap decoded;
    ASSERT_TRUE(DecodeBmp(bmp, decoded));
    EXPECT_EQ(decoded.At(0, 0), 0xFF0000u);
    EXPECT_EQ(decoded.At(1, 0), 0x00FF00u);
}

TEST(BmpDecoder, ReadsTheOldCoreHeader) {
    // 12-byte header, 24 bits, 1 x 1, blue pixel.
    std::string bmp = "BM";
    bmp += std::string(12, '\0');
    Put32(bmp, 10, 26);
    bmp += std::string("\x0C\x00\x00\x00\x01\x00\x01\x00\x01\x00\x18\x00", 12);
    bmp += std::string("\xFF\x00\x00\x00", 4);
    SkinBitmap decoded;
    ASSERT_TRUE(DecodeBmp(bmp, decoded));
    EXPECT_EQ(decoded.At(0, 0), 0x0000FFu);
}

TEST(BmpDecoder, RefusesBrokenFiles) {
    const std::string good = EncodeBmp(Pattern(9, 4, 2), {8, false, {0x000000, 0xFFFFFF}});
    std::string wideHeight = good;
    Put32(wideHeight, 18, 0x7FFFFFFF);
    std::string negativeWidth = good;
    Put32(negativeWidth, 18, static_cast<uint32_t>(-9));
    std::string twoBits = good;
    Put16(twoBits, 28, 2);
    std::string rle = good;
    Put32(rle, 30, 1);
    std::string pixelsPastEnd = good;
    Put32(pixelsPastEnd, 10, 0xFFFFFF00u);
    std::string hugeHeader = good;
    Put32(hugeHeader, 14, 0xFFFFFFF0u);
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"not a BMP", "PK" + good.substr(2)},
        {"cut in the header", good.substr(0, 30)},
        {"cut in the palette", good.substr(0, 56)},
        {"cut in the pixels", good.substr(0, good.size() - 1)},
        {"absurd size", wideHeight},
        {"negative width", negativeWidth},
        {"two bits per pixel", twoBits},
        {"run-length coded", rle},
        {"pixel offset past the end", pixelsPastEnd},
        {"header size past the end", hugeHeader},
    };
    for (const auto& c : cases) {
        SkinBitmap decoded(3, 3);
        EXPECT_FALSE(DecodeBmp(c.bytes, decoded)) << c.name;
        EXPECT_TRUE(decoded.Empty()) << c.name;
    }
    SkinBitmap decoded;
    EXPECT_TRUE(DecodeBmp(good, decoded));
}

}  // namespace
}  // namespace kestrone
