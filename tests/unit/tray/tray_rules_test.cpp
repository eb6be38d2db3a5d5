#include "ui/tray/tray_rules.h"

#include <gtest/gtest.h>

namespace kestrone::ui {
namespace {

TEST(ClampIconIndex, Table) {
    struct Case {
        int index, count, expected;
    } cases[] = {
        {9, 4, 3}, {4, 4, 3}, {3, 4, 3}, {0, 4, 0}, {2, 0, 0}, {-1, 4, 0}, {-5, 0, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampIconIndex(c.index, c.count), c.expected) << c.index << "/" << c.count;
}

TEST(NextCycleIndex, WrapsAfterTheLastImage) {
    EXPECT_EQ(NextCycleIndex(0, 4), 1);
    EXPECT_EQ(NextCycleIndex(2, 4), 3);
    EXPECT_EQ(NextCycleIndex(3, 4), 0);
    EXPECT_EQ(NextCycleIndex(0, 1), 0);
}

TEST(ShiftState, KeysAndButtons) {
    EXPECT_EQ(ShiftFromKeys(true, false, true), ssShift | ssCtrl);
    EXPECT_EQ(ShiftFromKeys(false, true, false), 0x02u);
    EXPECT_EQ(ButtonShift(TMouseButton::mbLeft), 0x08u);
    EXPECT_EQ(ButtonShift(TMouseButton::mbRight), 0x10u);
    EXPECT_EQ(ButtonShift(TMouseButton::mbMiddle), 0x20u);
}

TEST(NotifyWindow, SwallowsCloseEndSessionAndDestroyMessagesOnly) {
    for (std::uint32_t m : {0x02u, 0x10u, 0x11u, 0x12u, 0x16u, 0x82u})
        EXPECT_TRUE(IsSwallowedNotifyWindowMessage(m)) << m;
    for (std::uint32_t m : {0x01u, 0x0Fu, 0x113u, 0x800u, 0x1Au})
        EXPECT_FALSE(IsSwallowedNotifyWindowMessage(m)) << m;
}

TEST(DefaultMenuItemIndex, LowestIndexDefaultWins) {
    EXPECT_EQ(DefaultMenuItemIndex({false, true, false, true}), 1);
    EXPECT_EQ(DefaultMenuItemIndex({true}), 0);
    EXPECT_EQ(DefaultMenuItemIndex({false, false}), -1);
    EXPECT_EQ(DefaultMenuItemIndex({}), -1);
}

TEST(ClassifyOwnerMessage, ShowMinimiseAndOthers) {
    EXPECT_EQ(ClassifyOwnerMessage(0x18, 1, 0, false), OwnerMessage::BeingShown);
    EXPECT_EQ(ClassifyOwnerMessage(0x18, 0, 1, false), OwnerMessage::MinimizeRequest);
    EXPECT_EQ(ClassifyOwnerMessage(0x18, 0, 1, true), OwnerMessage::Other);  // terminating
    EXPECT_EQ(ClassifyOwnerMessage(0x18, 0, 0, false), OwnerMessage::Other);
    EXPECT_EQ(ClassifyOwnerMessage(0x112, 0xF020, 0, false), OwnerMessage::MinimizeRequest);
    // Only SC_MINIMIZE itself: the low bits set by a click on the menu are a different command.
    EXPECT_EQ(ClassifyOwnerMessage(0x112, 0xF022, 0, false), OwnerMessage::Other);
    EXPECT_EQ(ClassifyOwnerMessage(0x112, 0xF060, 0, false), OwnerMessage::Other);
}

TEST(ClassifyApplicationMessage, Table) {
    const std::uint32_t taskbarCreated = 0xC123;
    EXPECT_EQ(ClassifyApplicationMessage(0x05, 1, taskbarCreated), ApplicationMessage::Minimized);
    EXPECT_EQ(ClassifyApplicationMessage(0x05, 0, taskbarCreated), ApplicationMessage::Other);
    EXPECT_EQ(ClassifyApplicationMessage(0x112, 0xF120, taskbarCreated),
              ApplicationMessage::Restore);
    EXPECT_EQ(ClassifyApplicationMessage(0x47, 0, taskbarCreated),
              ApplicationMessage::FirstPositionChange);
    EXPECT_EQ(ClassifyApplicationMessage(0xC123, 0, taskbarCreated),
              ApplicationMessage::TaskbarCreated);
    // Without a registered message nothing counts as the shell's restart.
    EXPECT_EQ(ClassifyApplicationMessage(0, 0, 0), ApplicationMessage::Other);
}

}  // namespace
}  // namespace kestrone::ui
