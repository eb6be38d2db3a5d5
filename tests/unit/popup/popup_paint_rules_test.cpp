#include "ui/popup/popup_paint_rules.h"

#include <gtest/gtest.h>

#include "ui/popup/popup_options.h"

namespace kestrone::ui {
namespace {

TEST(GradientColor, EndsAreTheTwoColoursAndChannelsMoveIndependently) {
    const TColor sky = 16764057;  // red 153, green 204, blue 255
    EXPECT_EQ(sky, RGBColor(153, 204, 255));
    EXPECT_EQ(GetGradientColor(sky, clWhite, 0, 136), sky);
    EXPECT_EQ(GetGradientColor(sky, clWhite, 136, 136), clWhite);
    // Half way: 153 + round(51 * 68 / 136 = 51.0), 204 + round(25.5) = 230.
    EXPECT_EQ(GetGradientColor(sky, clWhite, 68, 136), RGBColor(204, 230, 255));
    // Falling channels round away from zero too.
    EXPECT_EQ(GetGradientColor(clWhite, clBlack, 1, 2), RGBColor(127, 127, 127));
    EXPECT_EQ(GetGradientColor(sky, clWhite, 5, 0), sky);
}

TEST(GradientColor, EveryRowOfAColumnStaysBetweenTheEnds) {
    const TColor a = RGBColor(10, 200, 90), b = RGBColor(250, 20, 90);
    for (int i = 0; i <= 140; ++i) {
        const TColor c = GetGradientColor(a, b, i, 140);
        EXPECT_GE(int(c & 0xFF), 10);
        EXPECT_LE(int(c & 0xFF), 250);
        EXPECT_EQ(int(c >> 16), 90);
    }
}

TEST(Rounding, MulDivAndHalfToEven) {
    EXPECT_EQ(MulDivRound(1, 51, 2), 26);
    EXPECT_EQ(MulDivRound(1, -51, 2), -26);
    EXPECT_EQ(MulDivRound(3, 10, 0), -1);
    EXPECT_EQ(HalfRoundEven(15), 8);   // 7.5
    EXPECT_EQ(HalfRoundEven(5), 2);    // 2.5
    EXPECT_EQ(HalfRoundEven(-3), -2);  // -1.5
    EXPECT_EQ(HalfRoundEven(-5), -2);  // -2.5
    EXPECT_EQ(HalfRoundEven(8), 4);
}

TEST(LayoutText, EighteenFromTheLeftAndCentredPlusFive) {
    EXPECT_EQ(LayoutTextBounds(190, 140, 60, 13), (PopupBounds{18, 69, 60, 13}));  // 63.5 -> 64
    EXPECT_EQ(LayoutTextBounds(148, 121, 60, 26), (PopupBounds{18, 53, 60, 26}));  // 47.5 -> 48
    EXPECT_EQ(LayoutTextBounds(300, 140, 10, 14).left, 18);
}

TEST(TileOrigins, ColumnsOuterRowsInnerCoveringTheSurface) {
    auto tiles = TileOrigins(100, 50, 40, 30);
    ASSERT_EQ(tiles.size(), 6u);
    EXPECT_EQ(tiles[0], (PopupBounds{0, 0, 40, 30}));
    EXPECT_EQ(tiles[1], (PopupBounds{0, 30, 40, 30}));
    EXPECT_EQ(tiles[2], (PopupBounds{40, 0, 40, 30}));
    EXPECT_EQ(tiles[5], (PopupBounds{80, 30, 40, 30}));
    EXPECT_TRUE(TileOrigins(100, 50, 0, 30).empty());
}

TEST(PopupOptions, DefaultsAndSpeedRange) {
    EXPECT_EQ(kDefaultPopupOptions, 29u);
    EXPECT_EQ(ClampScrollSpeed(0), 1);
    EXPECT_EQ(ClampScrollSpeed(9), 9);
    EXPECT_EQ(ClampScrollSpeed(99), 50);
}

}  // namespace
}  // namespace kestrone::ui

#include "ui/popup/popup_window_style.h"

namespace kestrone::ui {
namespace {

TEST(PopupWindowStyle, ByWindowsVersion) {
    struct Case {
        bool nt;
        unsigned major, minor;
        bool noActivate, shadow;
    } cases[] = {
        {true, 4, 0, false, false},   // NT 4.0
        {true, 3, 51, false, false},  // NT 3.51
        {true, 5, 0, true, false},    // 2000
        {true, 5, 1, true, true},     // XP
        {true, 6, 1, true, true},     // 7
        {false, 4, 10, true, false},  // 98
    };
    for (const auto& c : cases) {
        const PopupWindowStyle style = PopupStyleFor(c.nt, c.major, c.minor);
        EXPECT_EQ(style.noActivate, c.noActivate) << c.major << "." << c.minor;
        EXPECT_EQ(style.dropShadow, c.shadow) << c.major << "." << c.minor;
    }
}

}  // namespace
}  // namespace kestrone::ui
