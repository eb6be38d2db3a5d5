// Title buttons: visibility codes, the Action rules, placement by Align, the
// frame of each state, the caption's place and what a click does.
#include "ui/skin/title_bar.h"

#include <gtest/gtest.h>

namespace kestrone {
namespace {

TitleWindowTraits Window(bool sysMenu, bool minBox, bool maxBox) {
    TitleWindowTraits w;
    w.hasSysMenu = sysMenu;
    w.hasMinBox = minBox;
    w.hasMaxBox = maxBox;
    return w;
}

TEST(Visibility, EveryCodeOnWindowsThatDiffer) {
    TitleWindowTraits plain = Window(true, true, false);
    TitleWindowTraits maximised = Window(true, true, true);
    maximised.maximised = true;
    TitleWindowTraits inactive = Window(false, false, false);
    inactive.active = false;
    TitleWindowTraits ownDialog = Window(true, false, false);
    ownDialog.kind = FrameKind::Dialog;
    TitleWindowTraits systemDialog = ownDialog;
    systemDialog.dialogClass = true;
    TitleWindowTraits mdiParent = Window(true, true, true);
    mdiParent.mdiParentWithMaximisedChild = true;

    const struct {
        int code;
        bool second;
        const TitleWindowTraits* window;
        bool holds;
    } cases[] = {
        {0, false, &inactive, true},
        {0, true, &inactive, true},
        {1, false, &maximised, true},
        {1, false, &plain, false},
        {2, false, &plain, true},
        {2, false, &maximised, false},
        {3, false, &plain, true},
        {3, false, &inactive, false},
        {4, false, &inactive, true},
        {4, false, &plain, false},
        {6, false, &plain, true},
        {6, false, &inactive, false},
        {6, true, &plain, true},
        {7, false, &plain, true},
        {7, false, &maximised, false},
        {8, false, &plain, true},
        {8, true, &ownDialog, false},
        {9, false, &plain, false},
        {9, false, &inactive, true},
        {100, false, &mdiParent, true},
        {100, true, &plain, false},
        {200, false, &ownDialog, true},
        {200, false, &systemDialog, false},
        {200, false, &plain, false},
        {201, false, &plain, true},
        {999, false, &inactive, true},
        {-1, false, &plain, true},
        {-1, true, &plain, false},
        {5, false, &plain, false},
        {150, false, &plain, false},
        {3000, false, &plain, false},
        {201, true, &plain, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VisibilityHolds(c.code, c.second, 0, *c.window, nullptr), c.holds)
            << "code " << c.code << (c.second ? " (Visibility1)" : "");
    }
    // Window-specific codes ask the window itself.
    int askedCode = 0, askedAction = 0;
    const VisibilityQuestion ask = [&](int code, int action) {
        askedCode = code;
        askedAction = action;
        return code == 1500 ? 1 : 0;
    };
    EXPECT_TRUE(VisibilityHolds(1500, false, 42, plain, ask));
    EXPECT_EQ(askedCode, 1500);
    EXPECT_EQ(askedAction, 42);
    EXPECT_FALSE(VisibilityHolds(1000, false, 42, plain, ask));
    EXPECT_FALSE(VisibilityHolds(2000, false, 42, plain, nullptr));
}

TEST(Visibility, ActionsAddTheirOwnRules) {
    const auto status = [](int action, int visibility, const TitleWindowTraits& w) {
        TDataSkinSysButton b;
        b.Action = action;
        b.Visibility = visibility;
        return TitleButtonVisibility(b, w, nullptr);
    };
    // Close needs a system menu.
    EXPECT_EQ(status(0, 0, Window(true, false, false)), (TitleButtonStatus{true, true}));
    EXPECT_FALSE(status(0, 0, Window(false, true, true)).shown);
    // Maximise and minimise show but answer only with their box and a system menu.
    EXPECT_EQ(status(1, 6, Window(true, true, false)), (TitleButtonStatus{true, false}));
    EXPECT_EQ(status(1, 6, Window(true, true, true)), (TitleButtonStatus{true, true}));
    EXPECT_EQ(status(2, 6, Window(true, true, false)), (TitleButtonStatus{true, true}));
    EXPECT_EQ(status(2, 6, Window(false, true, false)).shown, false);  // code 6 wants the menu
    // The system-menu buttons never show on dialogs.
    TitleWindowTraits dialog = Window(true, false, false);
    dialog.kind = FrameKind::Dialog;
    for (int action : {3, 11, 12}) EXPECT_FALSE(status(action, 0, dialog).shown) << action;
    EXPECT_TRUE(status(3, 0, Window(true, true, false)).shown);
}

TEST(Placement, EachAlignCode) {
    TitlePlaces places;
    places.windowWidth = 439;
    places.captionLeft = 35;
    places.captionRight = 150;
    places.menuBar = {5, 27, 434, 46};
    const struct {
        int align, x, y;
        Rect expected;
    } cases[] = {
        {0, 9, 5, {9, 5, 39, 26}},
        {1, 36, 3, {403, 3, 433, 24}},
        {2, 4, 3, {1, 3, 31, 24}},  // its right end 4 pixels before the caption
        {8, 4, 3, {1, 3, 31, 24}},
        {3, 6, 3, {156, 3, 186, 24}},  // 6 pixels after the caption
        {9, 6, 3, {156, 3, 186, 24}},
        {100, 40, 99, {394, 26, 424, 47}},  // centred in the menu bar, from its right end
        {57, 12, 2, {12, 2, 42, 23}},       // codes without a meaning: from the left
    };
    for (const auto& c : cases) {
        TDataSkinSysButton b;
        b.Align = c.align;
        b.Xcoord = c.x;
        b.Ycoord = c.y;
        EXPECT_EQ(PlaceTitleButton(b, 30, 21, places), c.expected) << "align " << c.align;
    }
    places.rightToLeft = true;
    TDataSkinSysButton child;
    child.Align = 100;
    child.Xcoord = 40;
    EXPECT_EQ(PlaceTitleButton(child, 30, 21, places), (Rect{15, 26, 45, 47}));
}

TEST(ButtonFrames, SixFramesAndShorterStrips) {
    const struct {
        int frames;
        bool enabled, hover, pressed, active;
        int frame;
    } cases[] = {
        {6, true, false, false, true, 1},  {6, true, true, false, true, 2},
        {6, true, true, true, true, 3},    {6, false, true, true, true, 4},
        {6, true, false, false, false, 5}, {6, true, true, false, false, 6},
        {6, true, true, true, false, 3},  // pressed shows pressed even inactive
        {3, true, true, false, true, 2},   {3, true, false, false, false, 1},
        {3, true, true, false, false, 2},  {3, false, false, false, true, 1},
        {4, false, false, false, true, 4}, {4, true, false, false, false, 1},
        {1, true, true, true, true, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TitleButtonFrame(c.frames, c.enabled, c.hover, c.pressed, c.active), c.frame)
            << c.frames << " frames " << c.enabled << c.hover << c.pressed << c.active;
    }
}

TEST(Caption, AlignmentShiftsAndClip) {
    TDataSkinTitle title;
    title.LeftWidth = 30;
    title.RightWidth = 100;
    title.TopHeight = 4;
    CaptionInput in;
    in.stripLeft = 5;
    in.stripRight = 434;
    in.titleHeight = 27;
    in.textWidth = 120;
    in.textHeight = 15;
    EXPECT_EQ(PlaceCaption(title, in), (Rect{35, 8, 155, 23}));
    in.dialogFrame = true;  // no icon: 16 pixels further left
    EXPECT_EQ(PlaceCaption(title, in).left, 19);
    in.dialogFrame = false;
    title.TextAlignment = 1;
    EXPECT_EQ(PlaceCaption(title, in).left, 5 + (429 - 120) / 2);
    title.TextAlignment = 2;
    EXPECT_EQ(PlaceCaption(title, in), (Rect{214, 8, 334, 23}));
    title.TextAlignment = 0;
    in.rightToLeft = true;  // always right-aligned
    EXPECT_EQ(PlaceCaption(title, in).left, 214);
    in.rightToLeft = false;
    // A long caption stops before the buttons; the text-back caps widen it.
    in.textWidth = 500;
    EXPECT_EQ(PlaceCaption(title, in).right, 334);
    in.textWidth = 100;
    title.TXTBackleft = 6;
    title.TXTBackRight = 8;
    EXPECT_EQ(PlaceCaption(title, in).Width(), 114);
}

TEST(Commands, WhatEachActionDoes) {
    using W = WindowState;
    const struct {
        int action;
        W state;
        bool enabled;
        TitleCommand command;
    } cases[] = {
        {0, W::Normal, true, TitleCommand::Close},
        {0, W::Normal, false, TitleCommand::Close},
        {1, W::Normal, true, TitleCommand::Maximise},
        {1, W::Maximised, true, TitleCommand::Restore},
        {22, W::Normal, true, TitleCommand::Maximise},
        {1, W::Normal, false, TitleCommand::None},  // a disabled maximise button
        {2, W::Normal, true, TitleCommand::Minimise},
        {23, W::Minimised, true, TitleCommand::Restore},
        {2, W::Normal, false, TitleCommand::None},
        {3, W::Normal, true, TitleCommand::SystemMenu},
        {11, W::Normal, true, TitleCommand::SystemMenu},
        {12, W::Normal, true, TitleCommand::SystemMenu},
        {7, W::Normal, true, TitleCommand::ChildMinimise},
        {60, W::Normal, true, TitleCommand::ChildMinimise},
        {8, W::Normal, true, TitleCommand::ChildRestore},
        {61, W::Normal, true, TitleCommand::ChildRestore},
        {9, W::Normal, true, TitleCommand::ChildClose},
        {62, W::Normal, true, TitleCommand::ChildClose},
        {5, W::Normal, true, TitleCommand::PostAction},
        {40, W::Normal, true, TitleCommand::PostAction},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TitleButtonCommand(c.action, c.state, c.enabled), c.command) << c.action;
    }
}

}  // namespace
}  // namespace kestrone
