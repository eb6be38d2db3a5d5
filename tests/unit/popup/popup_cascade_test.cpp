#include "ui/popup/popup_cascade.h"

#include <gtest/gtest.h>

namespace kestrone::ui {
namespace {

const PopupRect kWorkArea{0, 0, 1024, 738};
const PopupPlacement kMainWindowPopup{190, 140, 16, 2};

TEST(PopupCascade, StacksAwayFromTheTaskbarUntilTheWorkAreaIsFull) {
    PopupCascade cascade;
    std::vector<int> tops;
    while (auto admitted = cascade.Admit(teBottom, kWorkArea, kMainWindowPopup, true, 2)) {
        tops.push_back(admitted->final->top);
        ASSERT_LT(tops.size(), 20u);
    }
    // 738 - 2 = 736 pixels hold five popups of 140 with gaps of 2.
    EXPECT_EQ(tops, (std::vector<int>{596, 454, 312, 170, 28}));
    EXPECT_EQ(cascade.PopupCount, 5);
}

TEST(PopupCascade, RefusalChangesNothing) {
    PopupCascade cascade;
    const PopupRect small{0, 0, 800, 300};
    ASSERT_TRUE(cascade.Admit(teBottom, small, kMainWindowPopup, true, 2));
    ASSERT_TRUE(cascade.Admit(teBottom, small, kMainWindowPopup, true, 2));
    const int next = cascade.NextPopupPos;
    EXPECT_FALSE(cascade.Admit(teBottom, small, kMainWindowPopup, true, 2));
    EXPECT_EQ(cascade.PopupCount, 2);
    EXPECT_EQ(cascade.NextPopupPos, next);
}

TEST(PopupCascade, OffsetResetsOnlyWhenEveryPopupHasClosed) {
    PopupCascade cascade;
    cascade.Admit(teBottom, kWorkArea, kMainWindowPopup, true, 2);
    cascade.Admit(teBottom, kWorkArea, kMainWindowPopup, true, 2);
    cascade.Closed();
    auto third = cascade.Admit(teBottom, kWorkArea, kMainWindowPopup, true, 2);
    EXPECT_EQ(third->popupPos, 284);  // the gap left by the closed one is not reused
    cascade.Closed();
    cascade.Closed();
    cascade.Closed();  // never below zero
    EXPECT_EQ(cascade.PopupCount, 0);
    EXPECT_EQ(cascade.Admit(teBottom, kWorkArea, kMainWindowPopup, true, 2)->popupPos, 0);
}

TEST(PopupCascade, MovingTheTaskbarStartsAgainAtTheEdge) {
    PopupCascade cascade;
    cascade.Admit(teBottom, kWorkArea, kMainWindowPopup, true, 2);
    cascade.Admit(teBottom, kWorkArea, kMainWindowPopup, true, 2);
    auto onTop = cascade.Admit(teTop, {0, 30, 1024, 768}, kMainWindowPopup, true, 2);
    EXPECT_EQ(cascade.PopupCount, 1);
    EXPECT_EQ(onTop->popupPos, 0);
    EXPECT_EQ(onTop->final->top, 32);
}

TEST(PopupCascade, WithoutCascadingEveryPopupTakesTheSamePlace) {
    PopupCascade cascade;
    for (int i = 0; i < 8; ++i) {
        auto admitted = cascade.Admit(teBottom, kWorkArea, kMainWindowPopup, false, 2);
        ASSERT_TRUE(admitted);
        EXPECT_EQ(admitted->final->top, 596);
    }
}

TEST(PopupCascade, UnknownTaskbarAlwaysAdmitsWithoutAPlace) {
    PopupCascade cascade;
    for (int i = 0; i < 10; ++i) {
        auto admitted = cascade.Admit(teUnknown, kWorkArea, kMainWindowPopup, true, 2);
        ASSERT_TRUE(admitted);
        EXPECT_FALSE(admitted->final);
    }
    EXPECT_EQ(cascade.NextPopupPos, 0);
}

}  // namespace
}  // namespace kestrone::ui
