#include "ui/tray/tray_notify_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrone::ui {
namespace {

constexpr std::uint32_t kMove = 0x200, kLDown = 0x201, kLUp = 0x202, kLDbl = 0x203;
constexpr std::uint32_t kRDown = 0x204, kRUp = 0x205, kMDown = 0x207, kMUp = 0x208;
constexpr std::uint32_t kContext = 0x7B, kNinSelect = 0x400;

// Records the events in order and runs the click timer on a fake clock.
class FakeTray : public TraySink {
public:
    std::vector<std::string> events;
    bool dblClickHandler = true;
    bool menu = false;
    std::uint32_t doubleClickTime = 500;
    std::uint32_t now = 0;
    std::uint32_t timerDue = 0;
    bool timerRunning = false;
    TrayNotifyLogic logic{*this};

    void Advance(std::uint32_t ms) {
        now += ms;
        if (timerRunning && now >= timerDue) {
            timerRunning = false;  // stops itself, then its event runs
            logic.ClickTimerFired();
        }
    }
    void Send(std::uint32_t message, std::uint32_t ms = 0, TShiftState keys = 0) {
        logic.Notify(message, {10, 20}, keys);
        Advance(ms);
    }

    void Click() override { events.push_back("click@" + std::to_string(now)); }
    void DblClick() override { events.push_back("dblclick"); }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        events.push_back("down" + std::to_string(int(b)) + ":" + std::to_string(s) + "@" +
                         std::to_string(x) + "," + std::to_string(y));
    }
    void MouseUp(TMouseButton b, TShiftState s, int, int) override {
        events.push_back("up" + std::to_string(int(b)) + ":" + std::to_string(s));
    }
    void MouseMove(TShiftState, int x, int y) override {
        events.push_back("move" + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseEnter() override { events.push_back("enter"); }
    void MouseExit() override { events.push_back("exit"); }
    void BalloonHintShow() override { events.push_back("balloonshow"); }
    void BalloonHintHide() override { events.push_back("balloonhide"); }
    void BalloonHintTimeout() override { events.push_back("balloontimeout"); }
    void BalloonHintClick() override { events.push_back("balloonclick"); }
    bool HasDblClickHandler() const override { return dblClickHandler; }
    bool MenuAutoPopup() const override { return menu; }
    void PopupAtCursor() override { events.push_back("popup"); }
    void ClickDefaultMenuItem() override { events.push_back("default"); }
    void StartClickTimer(std::uint32_t ms) override {
        timerRunning = true;
        timerDue = now + ms;
    }
    bool ClickTimerRunning() const override { return timerRunning; }
    std::uint32_t DoubleClickTime() const override { return doubleClickTime; }
};

using Events = std::vector<std::string>;

TEST(TrayClicks, SingleClickWithDoubleClickHandlerWaitsOneDoubleClickTime) {
    FakeTray tray;
    tray.Send(kLDown, 100);
    tray.Send(kLUp, 300);
    EXPECT_EQ(tray.events, (Events{"down0:8@10,20", "up0:8"}));  // no click yet at 400 ms
    tray.Advance(100);
    EXPECT_EQ(tray.events, (Events{"down0:8@10,20", "up0:8", "click@500"}));
}

TEST(TrayClicks, DoubleClickGivesDblClickAndNoClick) {
    FakeTray tray;
    tray.Send(kLDown, 50);
    tray.Send(kLUp, 50);
    tray.Send(kLDbl, 50);
    tray.Send(kLUp, 1000);
    EXPECT_EQ(tray.events, (Events{"down0:8@10,20", "up0:8", "dblclick", "up0:8"}));
    // The next single click is a click again.
    tray.events.clear();
    tray.Send(kLDown);
    tray.Send(kLUp, 600);
    EXPECT_EQ(tray.events.back(), "click@1750");
}

TEST(TrayClicks, WithoutDoubleClickHandlerClickComesAtOnceBeforeMouseUp) {
    FakeTray tray;
    tray.dblClickHandler = false;
    tray.Send(kLDown, 100);
    tray.Send(kLUp);
    EXPECT_EQ(tray.events, (Events{"down0:8@10,20", "click@100", "up0:8"}));
    EXPECT_FALSE(tray.timerRunning);
}

TEST(TrayClicks, ReleaseAfterTheDoubleClickTimeClicksOnRelease) {
    FakeTray tray;
    tray.Send(kLDown, 800);  // timer fired while the button was held: nothing ready yet
    tray.Send(kLUp);
    EXPECT_EQ(tray.events, (Events{"down0:8@10,20", "click@800", "up0:8"}));
}

TEST(TrayClicks, ModifierKeysJoinTheButtonBit) {
    FakeTray tray;
    tray.Send(kRDown, 0, ssShift | ssCtrl);
    tray.Send(kMDown, 0, ssAlt);
    tray.Send(kMUp);
    EXPECT_EQ(tray.events, (Events{"down1:21@10,20", "down2:34@10,20", "up2:32"}));
}

TEST(TrayMenu, RightButtonPopsTheMenuAndLeftOnlyWithLeftPopup) {
    FakeTray tray;
    tray.menu = true;
    tray.Send(kRDown);
    tray.Send(kLDown);
    EXPECT_EQ(tray.events, (Events{"down1:16@10,20", "popup", "down0:8@10,20"}));
    tray.events.clear();
    tray.logic.LeftPopup = true;
    tray.Send(kLDown);
    EXPECT_EQ(tray.events, (Events{"down0:8@10,20", "popup"}));
}

TEST(TrayMenu, DoubleClickChoosesTheDefaultItemUnlessTheLeftButtonPopsTheMenu) {
    FakeTray tray;
    tray.menu = true;
    tray.Send(kLDbl);
    EXPECT_EQ(tray.events, (Events{"dblclick", "default"}));
    tray.events.clear();
    tray.logic.LeftPopup = true;
    tray.Send(kLDbl);
    EXPECT_EQ(tray.events, (Events{"dblclick"}));
}

TEST(TrayBehavior, RightButtonUpDependsOnTheNotificationVersion) {
    FakeTray tray;
    for (std::uint32_t m : {kRUp, kContext, kNinSelect}) tray.Send(m);
    EXPECT_EQ(tray.events, (Events{"up1:16"}));
    tray.events.clear();
    tray.logic.Behavior = 1;
    for (std::uint32_t m : {kRUp, kContext, kNinSelect, 0x401u}) tray.Send(m);
    EXPECT_EQ(tray.events, (Events{"up1:16", "up1:16", "up1:16"}));
}

TEST(TrayEnabled, DisabledIconIgnoresTheMouseButNotBalloons) {
    FakeTray tray;
    tray.logic.Enabled = false;
    tray.logic.WantEnterExitEvents = true;
    for (std::uint32_t m : {kMove, kLDown, kLUp, kLDbl, kRDown, kRUp, kMDown, kMUp}) tray.Send(m);
    EXPECT_TRUE(tray.events.empty());
    for (std::uint32_t m : {0x402u, 0x403u, 0x404u, 0x405u}) tray.Send(m);
    EXPECT_EQ(tray.events,
              (Events{"balloonshow", "balloonhide", "balloontimeout", "balloonclick"}));
}

TEST(TrayEnterExit, EnterOnFirstMoveExitWhenTheCursorLeaves) {
    FakeTray tray;
    tray.logic.WantEnterExitEvents = true;
    tray.logic.ExitTimerTick({0, 0});  // nothing entered yet
    tray.Send(kMove);
    tray.Send(kMove);
    tray.logic.ExitTimerTick({10, 20});  // still on the icon
    tray.logic.ExitTimerTick({11, 20});
    tray.logic.ExitTimerTick({12, 20});  // exit reported once
    tray.Send(kMove);
    EXPECT_EQ(tray.events,
              (Events{"enter", "move10,20", "move10,20", "exit", "enter", "move10,20"}));
}

TEST(TrayEnterExit, NoEnterEventsUnlessWanted) {
    FakeTray tray;
    tray.Send(kMove);
    EXPECT_EQ(tray.events, (Events{"move10,20"}));
}

}  // namespace
}  // namespace kestrone::ui
