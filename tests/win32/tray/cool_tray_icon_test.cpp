#include "ui/tray/win32/cool_tray_icon.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "message_pump.h"
#include "ui/tray/win32/tray_icon_handler.h"

namespace kestrone::ui {
namespace {

using test::MakeTestWindow;
using test::PumpUntil;

class TrayIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner = MakeTestWindow("Kestrone tray test", false);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override { DestroyWindow(owner); }

    // Posts a shell notification for the icon, as the shell would.
    void Notify(const TCoolTrayIcon& icon, UINT mouseMessage) {
        PostMessageA(TTrayIconHandler::Window(), WM_TRAYNOTIFY, icon.Id(), mouseMessage);
    }
    // Removes the icon behind the component's back, as a crashing shell does.
    static void ShellForgets(const TCoolTrayIcon& icon) {
        NOTIFYICONDATAA data{};
        data.cbSize = NOTIFYICONDATAA_V2_SIZE;
        data.hWnd = TTrayIconHandler::Window();
        data.uID = icon.Id();
        Shell_NotifyIconA(NIM_DELETE, &data);
    }

    HWND owner = nullptr;
};

TEST_F(TrayIconTest, AddModifyDeleteAnswerAsTheShellDoes) {
    TCoolTrayIcon icon(owner);
    icon.SetIcon(LoadIcon(nullptr, IDI_APPLICATION));
    icon.SetHint("Real-time system protection is actived");
    EXPECT_NE(icon.Icon(), nullptr);
    EXPECT_FALSE(icon.ModifyIcon());  // not there yet
    EXPECT_TRUE(icon.ShowIcon());
    EXPECT_TRUE(icon.IconVisible());
    EXPECT_FALSE(icon.ShowIcon());  // a second add of the same id is refused
    EXPECT_TRUE(icon.ModifyIcon());
    EXPECT_EQ(icon.Record().Text(notify_field::szTip, 128),
              "Real-time system protection is actived");
    EXPECT_TRUE(icon.HideIcon());
    EXPECT_FALSE(icon.IconVisible());
    EXPECT_FALSE(icon.ModifyIcon());
}

TEST_F(TrayIconTest, BalloonShowAndHideLeaveThePlainFlags) {
    TCoolTrayIcon icon(owner);
    icon.SetIcon(LoadIcon(nullptr, IDI_APPLICATION));
    ASSERT_TRUE(icon.ShowIcon());
    EXPECT_TRUE(icon.ShowBalloonHint("Prompt", "Kestrone is activated", 1, 10));
    EXPECT_EQ(icon.Record().Get(notify_field::uFlags), 7u);
    EXPECT_EQ(icon.Record().Get(notify_field::uTimeout), 10000u);
    EXPECT_EQ(icon.Record().Text(notify_field::szInfoTitle, 64), "Prompt");
    EXPECT_TRUE(icon.HideBalloonHint());
    EXPECT_EQ(icon.Record().Get(notify_field::uFlags), 7u);
    EXPECT_EQ(icon.Record().Text(notify_field::szInfo, 256), "");
}

TEST_F(TrayIconTest, NotificationsReachTheRightIconWithoutDoubleClickHandler) {
    TCoolTrayIcon first(owner), second(owner);
    std::vector<std::string> events;
    first.OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, &first);
        events.push_back("click");
    };
    first.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState shift, int, int) {
        events.push_back("up" + std::to_string(int(button)) + ":" + std::to_string(shift & 0x38));
    };
    second.OnClick = [&](TObject*) { events.push_back("second"); };
    Notify(first, WM_LBUTTONDOWN);
    Notify(first, WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return events.size() >= 2; }, 2000));
    EXPECT_EQ(events, (std::vector<std::string>{"click", "up0:8"}));
}

TEST_F(TrayIconTest, ClickWaitsForTheDoubleClickTimeAndDoubleClickSuppressesIt) {
    TCoolTrayIcon icon(owner);
    int clicks = 0, doubleClicks = 0;
    icon.OnClick = [&](TObject*) { ++clicks; };
    icon.OnDblClick = [&](TObject*) { ++doubleClicks; };

    const DWORD start = GetTickCount();
    Notify(icon, WM_LBUTTONDOWN);
    Notify(icon, WM_LBUTTONUP);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; }, 5000));
    EXPECT_GE(GetTickCount() - start + 20, GetDoubleClickTime());

    Notify(icon, WM_LBUTTONDOWN);
    Notify(icon, WM_LBUTTONUP);
    Notify(icon, WM_LBUTTONDBLCLK);
    Notify(icon, WM_LBUTTONUP);
    test::PumpFor(GetDoubleClickTime() + 300);
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(TrayIconTest, DisabledIconStillReportsBalloons) {
    TCoolTrayIcon icon(owner);
    icon.SetEnabled(false);
    int clicks = 0, balloonClicks = 0;
    icon.OnClick = [&](TObject*) { ++clicks; };
    icon.OnBalloonHintClick = [&](TObject*) { ++balloonClicks; };
    Notify(icon, WM_LBUTTONDOWN);
    Notify(icon, WM_LBUTTONUP);
    Notify(icon, 0x405);  // NIN_BALLOONUSERCLICK
    ASSERT_TRUE(PumpUntil([&] { return balloonClicks == 1; }, 2000));
    EXPECT_EQ(clicks, 0);
}

TEST_F(TrayIconTest, NotificationWindowSurvivesCloseAndEndSession) {
    TCoolTrayIcon icon(owner);
    HWND window = TTrayIconHandler::Window();
    EXPECT_EQ(SendMessageA(window, WM_CLOSE, 0, 0), 1);
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(TrayIconTest, MinimiseGoesToTheTrayThroughTheHandler) {
    ShowWindow(owner, SW_SHOWNORMAL);
    TCoolTrayIcon icon(owner);
    icon.SetIcon(LoadIcon(nullptr, IDI_APPLICATION));
    icon.MinimizeToTray = true;
    int minimised = 0;
    icon.OnMinimizeToTray = [&](TObject*) { ++minimised; };
    EXPECT_EQ(SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0), 1);
    EXPECT_EQ(minimised, 1);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_FALSE(IsIconic(owner));  // consumed: never minimised on the taskbar
    EXPECT_TRUE(icon.IconVisible());
}

TEST_F(TrayIconTest, MinimiseWithoutHandlerStillHidesTheWindowIntoTheTray) {
    ShowWindow(owner, SW_SHOWNORMAL);
    TCoolTrayIcon icon(owner);
    icon.SetIcon(LoadIcon(nullptr, IDI_APPLICATION));
    icon.MinimizeToTray = true;
    SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsWindowVisible(owner));
    EXPECT_TRUE(icon.IconVisible());
}

TEST_F(TrayIconTest, MinimiseStaysOrdinaryWithoutMinimizeToTray) {
    ShowWindow(owner, SW_SHOWNORMAL);
    TCoolTrayIcon icon(owner);
    int minimised = 0;
    icon.OnMinimizeToTray = [&](TObject*) { ++minimised; };
    SendMessageA(owner, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimised, 0);
    EXPECT_TRUE(IsIconic(owner));
    EXPECT_FALSE(icon.IconVisible());
}

TEST_F(TrayIconTest, ShellRestartAddsAVisibleIconAgainButNotAHiddenOne) {
    const UINT taskbarCreated = TTrayIconHandler::TaskbarCreatedMessage();
    ASSERT_NE(taskbarCreated, 0u);
    TCoolTrayIcon shown(owner), hidden(owner);
    shown.SetIcon(LoadIcon(nullptr, IDI_APPLICATION));
    hidden.SetIcon(LoadIcon(nullptr, IDI_APPLICATION));
    ASSERT_TRUE(shown.ShowIcon());
    ASSERT_TRUE(hidden.ShowIcon());
    hidden.HideIcon();
    ShellForgets(shown);
    ASSERT_FALSE(shown.ModifyIcon());
    SendMessageA(TTrayIconHandler::Window(), taskbarCreated, 0, 0);
    EXPECT_TRUE(shown.ModifyIcon());
    EXPECT_FALSE(hidden.ModifyIcon());
}

TEST_F(TrayIconTest, IconIndexIsClampedToTheImageList) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 0);
    for (int i = 0; i < 4; ++i) ImageList_AddIcon(list, LoadIcon(nullptr, IDI_APPLICATION));
    {
        TCoolTrayIcon icon(owner);
        icon.SetIconList(list);
        icon.SetIconIndex(9);
        EXPECT_EQ(icon.IconIndex(), 3);
        EXPECT_NE(icon.Icon(), nullptr);
        icon.SetIconList(nullptr);
        icon.SetIconIndex(2);
        EXPECT_EQ(icon.IconIndex(), 0);
    }
    ImageList_Destroy(list);
}

TEST_F(TrayIconTest, AnimationStepsThroughTheImagesAndNeverRunsWithIntervalZero) {
    HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 3, 0);
    for (int i = 0; i < 3; ++i) ImageList_AddIcon(list, LoadIcon(nullptr, IDI_APPLICATION));
    {
        TCoolTrayIcon icon(owner);
        std::vector<int> next;
        icon.OnCycle = [&](TObject*, int nextIndex) { next.push_back(nextIndex); };
        icon.SetIconList(list);
        icon.SetCycleIcons(true);  // CycleInterval 0: no step ever
        test::PumpFor(200);
        EXPECT_TRUE(next.empty());
        icon.SetCycleInterval(20);
        ASSERT_TRUE(PumpUntil([&] { return next.size() >= 4; }, 3000));
        icon.SetCycleIcons(false);
        EXPECT_EQ(std::vector<int>(next.begin(), next.begin() + 4),
                  (std::vector<int>{1, 2, 0, 1}));
    }
    ImageList_Destroy(list);
}

}  // namespace
}  // namespace kestrone::ui
