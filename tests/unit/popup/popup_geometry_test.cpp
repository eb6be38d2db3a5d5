#include "ui/popup/popup_geometry.h"

#include <gtest/gtest.h>

namespace kestrone::ui {
namespace {

const PopupRect kWorkArea{0, 0, 1024, 738};
const PopupPlacement kMainWindowPopup{190, 140, 16, 2};

TEST(TaskbarEdge, ClassifiesTheTaskbarRectangle) {
    struct Case {
        bool ok;
        PopupRect bar;
        TaskbarEdge edge;
    } cases[] = {
        {true, {0, 0, 30, 768}, teLeft},
        {true, {0, 0, 1024, 30}, teTop},
        {true, {994, 0, 1024, 768}, teRight},
        {true, {0, 738, 1024, 768}, teBottom},
        {false, {0, 738, 1024, 768}, teUnknown},
        // Auto-hidden bars sit partly off the screen; the same rule applies.
        {true, {-2, -2, 30, 770}, teLeft},
        {true, {-2, 766, 1026, 800}, teBottom},
    };
    for (const auto& c : cases) EXPECT_EQ(ClassifyTaskbarEdge(c.ok, c.bar), c.edge);
}

TEST(FinalPopupBounds, BottomTaskbarExampleAndItsCascade) {
    auto first = FinalPopupBounds(teBottom, kWorkArea, 0, kMainWindowPopup);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, (PopupBounds{818, 596, 190, 140}));
    auto second = FinalPopupBounds(teBottom, kWorkArea, 142, kMainWindowPopup);
    EXPECT_EQ(second->top, 454);
}

TEST(FinalPopupBounds, EachEdge) {
    const PopupRect area{40, 30, 1024, 738};
    EXPECT_EQ(*FinalPopupBounds(teLeft, area, 10, kMainWindowPopup),
              (PopupBounds{56, 586, 190, 140}));
    EXPECT_EQ(*FinalPopupBounds(teTop, area, 10, kMainWindowPopup),
              (PopupBounds{818, 42, 190, 140}));
    EXPECT_EQ(*FinalPopupBounds(teRight, area, 10, kMainWindowPopup),
              (PopupBounds{818, 586, 190, 140}));
    EXPECT_FALSE(FinalPopupBounds(teUnknown, area, 0, kMainWindowPopup));
}

TEST(PopupFits, EveryEdgeKeepsThePopupInsideTheWorkArea) {
    // Work areas that do not start at 0 (a top or left taskbar, a second bar).
    const PopupRect area{0, 100, 1024, 500};  // 400 high
    const int room = 400 - 2 - 140;           // offsets up to 258 still fit
    for (TaskbarEdge edge : {teLeft, teTop, teRight, teBottom}) {
        EXPECT_TRUE(PopupFits(edge, area, room, kMainWindowPopup)) << edge;
        EXPECT_FALSE(PopupFits(edge, area, room + 1, kMainWindowPopup)) << edge;
        auto placed = FinalPopupBounds(edge, area, room, kMainWindowPopup);
        EXPECT_GE(placed->top, area.top) << edge;
        EXPECT_LE(placed->top + placed->height, area.bottom) << edge;
    }
    EXPECT_TRUE(PopupFits(teUnknown, area, 100000, kMainWindowPopup));
}

TEST(PopupSteps, BottomEdgeGrowsInSixteenTicksAndShrinksInSixteen) {
    const PopupBounds final{818, 596, 190, 140};
    PopupBounds b = CollapsedBounds(teBottom, final);
    EXPECT_EQ(b, (PopupBounds{818, 735, 190, 1}));
    int ticks = 0;
    for (bool done = false; !done; ++ticks) {
        PopupStep step = GrowStep(teBottom, b, final, 9);
        done = step.finished;
        if (ticks == 14) {
            EXPECT_EQ(step.bounds.height, 136);
        }
        if (!done) {  // growing keeps the bottom edge where it will end
            EXPECT_EQ(step.bounds.top + step.bounds.height, 736);
        }
        b = step.bounds;
        ASSERT_LT(ticks, 100);
    }
    EXPECT_EQ(ticks, 16);
    EXPECT_EQ(b, final);

    int shrinkTicks = 0;
    for (bool closed = false; !closed; ++shrinkTicks) {
        PopupStep step = ShrinkStep(teBottom, b, 9);
        closed = step.finished;
        if (!closed) {
            EXPECT_EQ(step.bounds.top + step.bounds.height, 736);
            b = step.bounds;
        }
        ASSERT_LT(shrinkTicks, 100);
    }
    EXPECT_EQ(shrinkTicks, 16);
    EXPECT_EQ(b.height, 5);
}

TEST(PopupSteps, SideEdgesGrowSideways) {
    const PopupBounds final{818, 596, 190, 140};
    PopupBounds right = CollapsedBounds(teRight, final);
    EXPECT_EQ(right, (PopupBounds{1007, 596, 1, 140}));
    right = GrowStep(teRight, right, final, 9).bounds;
    EXPECT_EQ(right, (PopupBounds{998, 596, 10, 140}));
    EXPECT_EQ(ShrinkStep(teRight, right, 9).bounds, (PopupBounds{1007, 596, 1, 140}));

    PopupBounds left = CollapsedBounds(teLeft, final);
    EXPECT_EQ(left, (PopupBounds{818, 596, 1, 140}));
    EXPECT_EQ(GrowStep(teLeft, left, final, 9).bounds, (PopupBounds{818, 596, 10, 140}));

    PopupBounds top = CollapsedBounds(teTop, final);
    EXPECT_EQ(GrowStep(teTop, top, final, 50).bounds, (PopupBounds{818, 596, 190, 51}));
}

TEST(PopupSteps, LastStepLandsExactlyOnTheFullSize) {
    const PopupBounds final{10, 10, 100, 100};
    PopupStep step = GrowStep(teBottom, {10, 11, 100, 99}, final, 50);
    EXPECT_TRUE(step.finished);
    EXPECT_EQ(step.bounds, final);
    // A step that would reach zero closes instead.
    EXPECT_TRUE(ShrinkStep(teTop, {0, 0, 10, 9}, 9).finished);
    EXPECT_FALSE(ShrinkStep(teTop, {0, 0, 10, 10}, 9).finished);
}

TEST(PopupSteps, UnknownEdgeNeverMoves) {
    const PopupBounds b{5, 5, 50, 50};
    EXPECT_EQ(CollapsedBounds(teUnknown, b), b);
    PopupStep grow = GrowStep(teUnknown, b, b, 9);
    PopupStep shrink = ShrinkStep(teUnknown, b, 9);
    EXPECT_FALSE(grow.finished);
    EXPECT_FALSE(shrink.finished);
    EXPECT_EQ(shrink.bounds, b);
}

}  // namespace
}  // namespace kestrone::ui
