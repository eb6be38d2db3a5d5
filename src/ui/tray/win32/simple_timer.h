// Lightweight timers for the tray icon: every TSimpleTimer fires through
// WM_TIMER of one hidden window shared by the whole process
// (TSimpleTimerHandler), created with the first timer and destroyed with the last.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/tray/component.h"

namespace kestrone::ui {

class TSimpleTimer : public TObject {
public:
    TSimpleTimer();  // 1000 ms, no event
    TSimpleTimer(std::uint32_t interval, TNotifyEvent onTimer);
    ~TSimpleTimer() override;
    TSimpleTimer(const TSimpleTimer&) = delete;
    TSimpleTimer& operator=(const TSimpleTimer&) = delete;

    bool Enabled() const { return enabled_; }
    // true starts the timer, false stops it.
    void SetEnabled(bool value);
    std::uint32_t Interval() const { return interval_; }
    // A new interval restarts a running timer; 0 stops it but leaves it Enabled.
    void SetInterval(std::uint32_t value);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    // Clearing the event stops a running timer but leaves it Enabled.
    void SetOnTimer(TNotifyEvent value);

    // When set, the timer stops itself each time it fires, before its event.
    bool AutoDisable = false;

    // false when Interval is 0 or the system refuses the timer.
    bool Start();
    void Stop(bool clearEnabled);

    UINT_PTR Id() const { return id_; }

private:
    friend class TSimpleTimerHandler;
    void Fire();

    UINT_PTR id_ = 0;
    bool enabled_ = false;
    bool running_ = false;
    std::uint32_t interval_ = 1000;
    TNotifyEvent onTimer_;
};

// The shared hidden timer window with its counts of live and running timers.
class TSimpleTimerHandler {
public:
    static HWND Window();
    static int ReferenceCount();
    static int ActiveCount();

private:
    friend class TSimpleTimer;
    static UINT_PTR Register(TSimpleTimer* timer);
    static void Unregister(UINT_PTR id);
    static void Started();
    static void Stopped();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace kestrone::ui
