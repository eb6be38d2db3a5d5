#include "ui/tray/win32/tray_icon_handler.h"

#include <shlwapi.h>

#include <map>
#include <vector>

#include "ui/tray/notify_record.h"
#include "ui/tray/tray_rules.h"
#include "ui/tray/win32/cool_tray_icon.h"

namespace kestrone::ui {
namespace {

constexpr const char* kNotifyWindowClass = "KestroneTrayIconWindow";

struct TrayHandlerState {
    HWND window = nullptr;
    std::uint32_t nextId = 1;
    std::map<std::uint32_t, TCoolTrayIcon*> icons;
    UINT taskbarCreated = 0;
    bool taskbarCreatedChecked = false;
};

TrayHandlerState& State() {
    static TrayHandlerState state;
    return state;
}

// The shell re-announces itself with "TaskbarCreated" from common controls 4.71 on.
UINT RegisterTaskbarCreated() {
    HMODULE library = LoadLibraryA("comctl32.dll");
    if (!library) return 0;
    UINT message = 0;
    auto getVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetVersion")));
    if (getVersion) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof(info);
        if (SUCCEEDED(getVersion(&info)) &&
            (info.dwMajorVersion > 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion >= 71)))
            message = RegisterWindowMessageA("TaskbarCreated");
    }
    FreeLibrary(library);
    return message;
}

}  // namespace

std::uint32_t TTrayIconHandler::Acquire(TCoolTrayIcon* icon) {
    TrayHandlerState& state = State();
    if (!state.window) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &TTrayIconHandler::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kNotifyWindowClass;
        RegisterClassA(&windowClass);
        state.window = CreateWindowExA(WS_EX_TOOLWINDOW, kNotifyWindowClass, "", WS_POPUP, 0, 0,
                                       0, 0, nullptr, nullptr, windowClass.hInstance, nullptr);
    }
    const std::uint32_t id = state.nextId++;
    state.icons[id] = icon;
    return id;
}

void TTrayIconHandler::Release(std::uint32_t id) {
    TrayHandlerState& state = State();
    state.icons.erase(id);
    if (state.icons.empty() && state.window) {
        DestroyWindow(state.window);
        state.window = nullptr;
    }
}

HWND TTrayIconHandler::Window() { return State().window; }
int TTrayIconHandler::ReferenceCount() { return static_cast<int>(State().icons.size()); }

UINT TTrayIconHandler::TaskbarCreatedMessage() {
    TrayHandlerState& state = State();
    if (!state.taskbarCreatedChecked) {
        state.taskbarCreated = RegisterTaskbarCreated();
        state.taskbarCreatedChecked = true;
    }
    return state.taskbarCreated;
}

LRESULT CALLBACK TTrayIconHandler::WindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    TrayHandlerState& state = State();
    if (message == WM_TRAYNOTIFY) {
        auto found = state.icons.find(static_cast<std::uint32_t>(wParam));
        if (found != state.icons.end()) found->second->HandleTrayNotify(static_cast<UINT>(lParam));
        return 0;
    }
    if (message != 0 && message == TaskbarCreatedMessage()) {
        // Copy first: re-adding may run code that adds or removes icons.
        std::vector<TCoolTrayIcon*> icons;
        for (auto& entry : state.icons) icons.push_back(entry.second);
        for (TCoolTrayIcon* icon : icons) icon->HandleTaskbarCreated();
        return 0;
    }
    if (IsSwallowedNotifyWindowMessage(message)) return 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace kestrone::ui
