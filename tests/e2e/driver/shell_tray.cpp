// The shell's side of Kestrone's tray icon: what the shell made of the record
// Kestrone handed it. The shell's tip for the icon is read, and mouse input is
// given to the shell's own tray window, which passes it on to the icon's owner
// (window, id and message) as the record asks. Each command prints
// "key=value" lines.
#include "shell_tray.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr char kTrayClass[] = "KestroneTrayIconWindow";
constexpr UINT kKestroneIconId = 1;  // the first icon a program makes

// The shell's identification of an icon (NOTIFYICONIDENTIFIER).
struct IconIdentifier {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    GUID guidItem;
};
using GetRectFn = HRESULT(WINAPI*)(const IconIdentifier*, RECT*);

// Where the shell shows the icon of Kestrone's tray window, in screen pixels.
bool ShellIconRect(RECT& rect) {
    HWND owner = FindWindowA(kTrayClass, nullptr);
    HMODULE shell = LoadLibraryA("shell32.dll");
    auto getRect = reinterpret_cast<GetRectFn>(
        reinterpret_cast<void*>(GetProcAddress(shell, "Shell_NotifyIconGetRect")));
    if (!owner || !getRect) return false;
    IconIdentifier icon{sizeof(IconIdentifier), owner, kKestroneIconId, {}};
    return getRect(&icon, &rect) == S_OK && rect.right > rect.left && rect.bottom > rect.top;
}

// Kestrone's icon on the screen: the centre of the place the shell gives, or,
// from a shell that does not tell (Wine's), the middle of the rightmost icon
// cell of its tray window, where a shell showing no other program's icon puts
// the first icon added.
bool IconPoint(POINT& point, const char*& source) {
    RECT rect;
    if (ShellIconRect(rect)) {
        point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        source = "shell";
        return true;
    }
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    RECT client;
    if (!tray || !GetClientRect(tray, &client) || client.right < 16) return false;
    point = {client.right - GetSystemMetrics(SM_CXSMICON) / 2 - 2, client.bottom / 2};
    source = "rightmost-cell";
    return ClientToScreen(tray, &point) != FALSE;
}

int ShellIcon() {
    POINT point;
    const char* source = "";
    if (!IconPoint(point, source)) {
        std::printf("icon=none\n");
        return 1;
    }
    std::printf("point=%ld,%ld\nfrom=%s\n", point.x, point.y, source);
    return 0;
}

// Mouse messages on the icon, given to the shell's tray window.
int ShellClick(const std::string& button) {
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    POINT point;
    const char* source = "";
    if (!tray || !IconPoint(point, source) || !ScreenToClient(tray, &point)) return 1;
    const LPARAM at = MAKELPARAM(point.x, point.y);
    PostMessageA(tray, WM_MOUSEMOVE, 0, at);
    if (button == "right") {
        PostMessageA(tray, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageA(tray, WM_RBUTTONUP, 0, at);
    } else if (button == "double") {
        PostMessageA(tray, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(tray, WM_LBUTTONUP, 0, at);
        PostMessageA(tray, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(tray, WM_LBUTTONUP, 0, at);
    } else {
        PostMessageA(tray, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(tray, WM_LBUTTONUP, 0, at);
    }
    std::printf("clicked=%ld,%ld\n", point.x, point.y);
    return 0;
}

struct TipSearch {
    DWORD shellProcess;
    HWND found;
};

BOOL CALLBACK FindShellTip(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<TipSearch*>(context);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->shellProcess || std::string(name) != "tooltips_class32" ||
        !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

// The tip the shell shows while the pointer rests on the icon (moved there by
// the caller): a tooltip answers WM_GETTEXT with the text it shows.
int ShellTip(int timeoutMs) {
    HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
    if (!tray) return 1;
    TipSearch search{0, nullptr};
    GetWindowThreadProcessId(tray, &search.shellProcess);
    for (int waited = 0; !search.found; waited += 100) {
        EnumWindows(FindShellTip, reinterpret_cast<LPARAM>(&search));
        if (search.found) break;
        if (waited >= timeoutMs) {
            std::printf("tip=none\n");
            return 1;
        }
        Sleep(100);
    }
    wchar_t text[256] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(search.found, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        5000, &length);
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("tip=%s\n", utf8);
    return 0;
}

}  // namespace

int ShellTrayCommand(const std::string& command, const std::string& argument) {
    if (command == "shell-icon") return ShellIcon();
    if (command == "shell-click") return ShellClick(argument);
    if (command == "shell-tip") return ShellTip(argument.empty() ? 10000 : std::stoi(argument));
    return -1;
}
