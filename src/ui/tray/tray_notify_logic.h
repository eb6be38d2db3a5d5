// The tray icon's reading of the shell's notifications: which mouse and
// balloon messages raise which events, the deferred click against the double
// click, and enter/exit tracking. It holds the click and exit flags; the
// window glue supplies the cursor, the timers and the menu through TraySink.
#pragma once

#include <cstdint>

#include "ui/tray/tray_rules.h"

namespace kestrone::ui {

struct TrayPoint {
    int x = 0;
    int y = 0;
    bool operator==(const TrayPoint&) const = default;
};

// What the logic needs from the component that owns it.
class TraySink {
public:
    virtual ~TraySink() = default;

    virtual void Click() = 0;
    virtual void DblClick() = 0;
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y) = 0;
    virtual void MouseMove(TShiftState shift, int x, int y) = 0;
    virtual void MouseEnter() = 0;
    virtual void MouseExit() = 0;
    virtual void BalloonHintShow() = 0;
    virtual void BalloonHintHide() = 0;
    virtual void BalloonHintTimeout() = 0;
    virtual void BalloonHintClick() = 0;

    virtual bool HasDblClickHandler() const = 0;
    // A popup menu is set and pops up by itself.
    virtual bool MenuAutoPopup() const = 0;
    virtual void PopupAtCursor() = 0;
    virtual void ClickDefaultMenuItem() = 0;

    // The one-shot click timer (it stops itself when it fires).
    virtual void StartClickTimer(std::uint32_t milliseconds) = 0;
    virtual bool ClickTimerRunning() const = 0;
    virtual std::uint32_t DoubleClickTime() const = 0;
};

class TrayNotifyLogic {
public:
    explicit TrayNotifyLogic(TraySink& sink) : sink_(sink) {}

    bool Enabled = true;
    bool WantEnterExitEvents = false;
    bool LeftPopup = false;
    int Behavior = 0;  // 0 classic notifications, 1 version-3 notifications

    // A WM_TRAYNOTIFY lParam, with the cursor and modifier keys read when it
    // is handled.
    void Notify(std::uint32_t message, TrayPoint cursor, TShiftState keys);
    // The click timer fired (and has already stopped).
    void ClickTimerFired();
    // The 20 ms exit check.
    void ExitTimerTick(TrayPoint cursor);

    bool DidExit() const { return didExit_; }

private:
    bool NotifyMouse(std::uint32_t message, TrayPoint cursor, TShiftState keys);
    void LeftButtonDown(TrayPoint cursor, TShiftState keys);
    void LeftButtonUp(TrayPoint cursor, TShiftState keys);
    void LeftDoubleClick();

    TraySink& sink_;
    bool clickStart_ = false;
    bool clickReady_ = false;
    bool isDblClick_ = false;
    bool didExit_ = true;
    TrayPoint lastMove_;
};

}  // namespace kestrone::ui
