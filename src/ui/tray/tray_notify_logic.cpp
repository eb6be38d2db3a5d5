#include "ui/tray/tray_notify_logic.h"

namespace kestrone::ui {
namespace {
constexpr std::uint32_t kMouseMove = 0x200;
constexpr std::uint32_t kLButtonDown = 0x201;
constexpr std::uint32_t kLButtonUp = 0x202;
constexpr std::uint32_t kLButtonDblClk = 0x203;
constexpr std::uint32_t kRButtonDown = 0x204;
constexpr std::uint32_t kRButtonUp = 0x205;
constexpr std::uint32_t kMButtonDown = 0x207;
constexpr std::uint32_t kMButtonUp = 0x208;
constexpr std::uint32_t kContextMenu = 0x7B;
constexpr std::uint32_t kNinSelect = 0x400;
constexpr std::uint32_t kNinKeySelect = 0x401;
constexpr std::uint32_t kNinBalloonShow = 0x402;
constexpr std::uint32_t kNinBalloonHide = 0x403;
constexpr std::uint32_t kNinBalloonTimeout = 0x404;
constexpr std::uint32_t kNinBalloonUserClick = 0x405;
}  // namespace

void TrayNotifyLogic::Notify(std::uint32_t message, TrayPoint cursor, TShiftState keys) {
    // Balloon notifications pass even while the icon ignores the mouse.
    switch (message) {
        case kNinBalloonShow: sink_.BalloonHintShow(); return;
        case kNinBalloonHide: sink_.BalloonHintHide(); return;
        case kNinBalloonTimeout: sink_.BalloonHintTimeout(); return;
        case kNinBalloonUserClick: sink_.BalloonHintClick(); return;
        default: break;
    }
    if (Enabled) NotifyMouse(message, cursor, keys);
}

bool TrayNotifyLogic::NotifyMouse(std::uint32_t message, TrayPoint cursor, TShiftState keys) {
    const int x = cursor.x;
    const int y = cursor.y;
    switch (message) {
        case kMouseMove:
            if (WantEnterExitEvents && didExit_) {
                sink_.MouseEnter();
                didExit_ = false;
            }
            sink_.MouseMove(keys, x, y);
            lastMove_ = cursor;
            return true;
        case kLButtonDown: LeftButtonDown(cursor, keys); return true;
        case kLButtonUp: LeftButtonUp(cursor, keys); return true;
        case kLButtonDblClk: LeftDoubleClick(); return true;
        case kRButtonDown:
            sink_.MouseDown(TMouseButton::mbRight, keys | ssRight, x, y);
            if (sink_.MenuAutoPopup()) sink_.PopupAtCursor();
            return true;
        case kRButtonUp:
            if (Behavior == 0) sink_.MouseUp(TMouseButton::mbRight, keys | ssRight, x, y);
            return true;
        case kContextMenu:
        case kNinSelect:
        case kNinKeySelect:
            if (Behavior == 1) sink_.MouseUp(TMouseButton::mbRight, keys | ssRight, x, y);
            return true;
        case kMButtonDown: sink_.MouseDown(TMouseButton::mbMiddle, keys | ssMiddle, x, y); return true;
        case kMButtonUp: sink_.MouseUp(TMouseButton::mbMiddle, keys | ssMiddle, x, y); return true;
        default: return false;
    }
}

void TrayNotifyLogic::LeftButtonDown(TrayPoint cursor, TShiftState keys) {
    // With a double-click handler the click waits one double-click time, so
    // that a second press can turn it into a double click.
    if (sink_.HasDblClickHandler()) sink_.StartClickTimer(sink_.DoubleClickTime());
    sink_.MouseDown(TMouseButton::mbLeft, keys | ssLeft, cursor.x, cursor.y);
    clickStart_ = true;
    if (LeftPopup && sink_.MenuAutoPopup()) sink_.PopupAtCursor();
}

void TrayNotifyLogic::LeftButtonUp(TrayPoint cursor, TShiftState keys) {
    if (clickStart_) {
        clickReady_ = true;
        if (!sink_.ClickTimerRunning()) {
            clickStart_ = false;
            clickReady_ = false;
            sink_.Click();
        }
    }
    clickStart_ = false;
    sink_.MouseUp(TMouseButton::mbLeft, keys | ssLeft, cursor.x, cursor.y);
}

void TrayNotifyLogic::LeftDoubleClick() {
    clickReady_ = false;
    isDblClick_ = true;
    sink_.DblClick();
    if (sink_.MenuAutoPopup() && !LeftPopup) sink_.ClickDefaultMenuItem();
}

void TrayNotifyLogic::ClickTimerFired() {
    if (!isDblClick_ && clickReady_) {
        clickReady_ = false;
        sink_.Click();
    }
    isDblClick_ = false;
}

void TrayNotifyLogic::ExitTimerTick(TrayPoint cursor) {
    if (didExit_) return;
    if (cursor.x != lastMove_.x || cursor.y != lastMove_.y) {
        didExit_ = true;
        sink_.MouseExit();
    }
}

}  // namespace kestrone::ui
