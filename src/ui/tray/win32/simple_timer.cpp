#include "ui/tray/win32/simple_timer.h"

#include <map>

namespace kestrone::ui {
namespace {

constexpr const char* kTimerWindowClass = "KestroneSimpleTimerWindow";

struct TimerHandlerState {
    HWND window = nullptr;
    int active = 0;
    UINT_PTR nextId = 1;
    std::map<UINT_PTR, TSimpleTimer*> timers;
};

TimerHandlerState& State() {
    static TimerHandlerState state;
    return state;
}

}  // namespace

TSimpleTimer::TSimpleTimer() { id_ = TSimpleTimerHandler::Register(this); }

TSimpleTimer::TSimpleTimer(std::uint32_t interval, TNotifyEvent onTimer)
    : interval_(interval), onTimer_(std::move(onTimer)) {
    id_ = TSimpleTimerHandler::Register(this);
}

TSimpleTimer::~TSimpleTimer() {
    if (enabled_ || running_) Stop(true);
    TSimpleTimerHandler::Unregister(id_);
}

void TSimpleTimer::SetEnabled(bool value) {
    if (value) {
        Start();
    } else {
        Stop(true);
    }
}

void TSimpleTimer::SetInterval(std::uint32_t value) {
    if (value == interval_) return;
    interval_ = value;
    if (!enabled_) return;
    if (value != 0) {
        Start();
    } else {
        Stop(false);
    }
}

void TSimpleTimer::SetOnTimer(TNotifyEvent value) {
    onTimer_ = std::move(value);
    if (!onTimer_ && enabled_) Stop(false);
}

bool TSimpleTimer::Start() {
    if (interval_ == 0) return false;
    if (running_) Stop(false);
    if (SetTimer(TSimpleTimerHandler::Window(), id_, interval_, nullptr) == 0) return false;
    enabled_ = true;
    running_ = true;
    TSimpleTimerHandler::Started();
    return true;
}

void TSimpleTimer::Stop(bool clearEnabled) {
    if (clearEnabled) enabled_ = false;
    if (!running_) return;
    running_ = false;
    if (KillTimer(TSimpleTimerHandler::Window(), id_)) TSimpleTimerHandler::Stopped();
}

void TSimpleTimer::Fire() {
    if (AutoDisable) Stop(true);
    Raise(onTimer_, this);
}

HWND TSimpleTimerHandler::Window() { return State().window; }
int TSimpleTimerHandler::ReferenceCount() { return static_cast<int>(State().timers.size()); }
int TSimpleTimerHandler::ActiveCount() { return State().active; }

UINT_PTR TSimpleTimerHandler::Register(TSimpleTimer* timer) {
    TimerHandlerState& state = State();
    if (!state.window) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TSimpleTimerHandler::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kTimerWindowClass;
        RegisterClassA(&windowClass);  // fails harmlessly when already registered
        state.window = CreateWindowExA(0, kTimerWindowClass, "", WS_POPUP, 0, 0, 0, 0,
                                       HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    }
    const UINT_PTR id = state.nextId++;
    state.timers[id] = timer;
    return id;
}

void TSimpleTimerHandler::Unregister(UINT_PTR id) {
    TimerHandlerState& state = State();
    state.timers.erase(id);
    if (state.timers.empty() && state.window) {
        DestroyWindow(state.window);
        state.window = nullptr;
        state.active = 0;
    }
}

void TSimpleTimerHandler::Started() { ++State().active; }

void TSimpleTimerHandler::Stopped() {
    if (State().active > 0) --State().active;
}

LRESULT CALLBACK TSimpleTimerHandler::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
    if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
    auto& timers = State().timers;
    auto found = timers.find(wParam);
    // A tick already queued for a timer that has gone since is dropped.
    if (found != timers.end()) found->second->Fire();
    return 0;
}

}  // namespace kestrone::ui
