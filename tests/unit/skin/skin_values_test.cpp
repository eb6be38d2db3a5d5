#include <gtest/gtest.h>

#include "skin_test_support.h"
#include "ui/skin/skin_values.h"

namespace kestrone {
namespace {

TEST(SkinColour, ParsesRunsOfDigits) {
    const TColor def = RGBColour(1, 2, 3);
    const struct {
        const char* text;
        TColor expected;
    } cases[] = {
        {"248 248 251", RGBColour(248, 248, 251)},
        {"10,20", RGBColour(10, 20, 0)},
        {"  7;8;9;10 ", RGBColour(7, 8, 9)},
        {"256 257 511", RGBColour(0, 1, 255)},              // low 8 bits
        {"99999999999999999999 1 2", RGBColour(255, 1, 2)},  // (10^20 - 1) mod 256
        {"-5 -6 -7", RGBColour(5, 6, 7)},                    // a sign is a separator
        {"red", RGBColour(0, 0, 0)},
        {"", def},
        {"   ", def},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseSkinColour(c.text, def), c.expected) << c.text;
}

TEST(BitmapReference, KeepsOnlyTheFileNameWithALowerCaseExtension) {
    const struct {
        const char* reference;
        const char* entry;
    } cases[] = {
        {"Combo-Arrows.bmp", "Combo-Arrows.bmp"},
        {"Skins\\Blue\\menuM.bmp", "menuM.bmp"},
        {"C:menu.bmp", "menu.bmp"},
        {"a/b.bmp", "a/b.bmp"},
        {"Combo-Arrows.BMP", ""},
        {"image.png", ""},
        {"noextension", ""},
        {"folder.bmp\\", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(BitmapEntryName(c.reference), c.entry) << c.reference;
}

TEST(BitmapReference, LoadsTheEntryOrLeavesTheBitmapEmpty) {
    TSkinReader reader;
    ASSERT_TRUE(reader.ReadUnpacked(skinpack::BuildContainer(
        {{"combo-arrows.bmp", test::SolidBmp(4, 2)}, {"broken.bmp", "BM\x10"}, {"zero.bmp", ""}})));
    SkinBitmap map;
    EXPECT_EQ(LoadSkinBitmap(reader, "Combo-Arrows.bmp", map), BitmapLoad::Loaded);
    EXPECT_EQ(map.width, 4);
    EXPECT_EQ(LoadSkinBitmap(reader, "Combo-Arrows.BMP", map), BitmapLoad::Empty);
    EXPECT_TRUE(map.Empty());
    EXPECT_EQ(LoadSkinBitmap(reader, "dir\\missing.bmp", map), BitmapLoad::Empty);
    EXPECT_EQ(LoadSkinBitmap(reader, "zero.bmp", map), BitmapLoad::Empty);
    EXPECT_EQ(LoadSkinBitmap(reader, "broken.bmp", map), BitmapLoad::Broken);
    EXPECT_TRUE(map.Empty());
}

}  // namespace
}  // namespace kestrone
