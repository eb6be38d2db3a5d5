// The pages' layout: what a control does with a bigger page, how 96-DPI
// units become pixels without gaps between neighbours, and which size the
// window opens with.
#include <gtest/gtest.h>

#include "app/page_layout.h"

namespace kestrone {
namespace {

TEST(PageLayout, ControlsTakeTheRoomTheirAnchorsAskFor) {
    const LayoutRect button{280, 237, 75, 25};
    const LayoutSize room{100, 40};
    struct Case {
        unsigned anchors;
        LayoutSize extra;
        LayoutRect expected;
    } cases[] = {
        {kAnchorTopLeft, room, button},
        {kGrowWidth, room, {280, 237, 175, 25}},
        {kGrowBoth, room, {280, 237, 175, 65}},
        {kFollowRight, room, {380, 237, 75, 25}},
        {kFollowCorner, room, {380, 277, 75, 25}},
        {kFollowRight | kGrowHeight, room, {380, 237, 75, 65}},
        // A page smaller than its design lays out as the design.
        {kFollowCorner | kGrowBoth, {-50, -10}, button},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GrownRect(button, c.anchors, c.extra), c.expected) << c.anchors;
}

TEST(PageLayout, ScalingKeepsNeighboursTouchingAtEveryDpi) {
    // Two buttons side by side with a 7-unit gap, and one right under them.
    const LayoutRect left{198, 237, 75, 25}, right{280, 237, 75, 25}, below{198, 262, 75, 25};
    for (int dpi : {96, 120, 144, 168, 192}) {
        const LayoutRect l = ScaledRect(left, dpi), r = ScaledRect(right, dpi),
                         b = ScaledRect(below, dpi);
        EXPECT_NEAR(r.x - (l.x + l.width), 7 * dpi / 96.0, 1.0) << dpi;
        EXPECT_EQ(b.y, l.y + l.height) << dpi;
        EXPECT_EQ(ScaleFromDpi(l.x, dpi), left.x) << dpi;
    }
    EXPECT_EQ(ScaledRect(left, 144), (LayoutRect{297, 356, 113, 37}));
    EXPECT_EQ(ScaleToDpi(25, 120), 31);  // 31.25
    EXPECT_EQ(ScaleToDpi(-13, 144), -20);  // font heights are negative: -19.5 rounds away
    EXPECT_EQ(ScaleToDpi(10, 0), 10);  // no DPI known: units as pixels
}

TEST(PageLayout, TheWindowOpensAtARememberedSizeThatFits) {
    const LayoutSize workArea{1280, 984};
    struct Case {
        LayoutSize remembered;
        LayoutSize expected;
    } cases[] = {
        {{0, 0}, kDesignClient},            // nothing remembered
        {{-5, 300}, kDesignClient},         // a broken value
        {{600, 400}, {600, 400}},
        {{200, 100}, kDesignClient},        // never below the design
        {{5000, 400}, {1280, 400}},         // never beyond the screen
        {{600, 5000}, {600, 984}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(OpeningClientSize(c.remembered, workArea), c.expected)
            << c.remembered.width << "x" << c.remembered.height;
    // A screen smaller than the design still gets the whole design.
    EXPECT_EQ(OpeningClientSize({600, 400}, {400, 240}), kDesignClient);
}

TEST(PageLayout, PagesGetTheRoomBeyondTheDesignInUnits) {
    EXPECT_EQ(PageRoom({429, 269}, 96), (LayoutSize{0, 0}));
    EXPECT_EQ(PageRoom({829, 369}, 96), (LayoutSize{400, 100}));
    EXPECT_EQ(PageRoom({ScaleToDpi(629, 144), ScaleToDpi(369, 144)}, 144), (LayoutSize{200, 100}));
    EXPECT_EQ(PageRoom({300, 200}, 96), (LayoutSize{0, 0}));
}

}  // namespace
}  // namespace kestrone
