// The skin probe of the end-to-end scenarios: a small Windows program that
// asks Kestrone's windows whether the skin draws them (the query message
// 0x3523, which a skinned window or control answers with 1) and where their
// parts are on the screen, so a scenario can point the mouse at them. Each
// command prints "key=value" lines and exits 0 on success.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr UINT kSkinQuery = 0x3523;

std::string Utf8(const wchar_t* text) {
    char utf8[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    return utf8;
}

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    InternalGetWindowText(window, text, 512);
    return Utf8(text);
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

int Skinned(HWND window) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(window, kSkinQuery, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
    return answer == 1 ? 1 : 0;
}

HWND MainWindow() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Corvane", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return nullptr;
    DWORD value = 0, size = sizeof value;
    LONG status =
        RegQueryValueExA(key, "Handle", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
    return status == ERROR_SUCCESS && IsWindow(window) ? window : nullptr;
}

struct Search {
    std::string className, title;
    HWND found = nullptr;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (!IsWindowVisible(window) || ClassOf(window) != search->className) return TRUE;
    if (!search->title.empty() && TextOf(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

HWND WaitForTopLevel(const std::string& className, const std::string& title, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        Search search{className, title};
        EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(100);
    }
    return nullptr;
}

BOOL CALLBACK DescribeChild(HWND child, LPARAM) {
    if (!IsWindowVisible(child)) return TRUE;
    std::printf("child=%s|%s|%d\n", ClassOf(child).c_str(), TextOf(child).c_str(), Skinned(child));
    return TRUE;
}

int Describe(HWND window) {
    if (!window) {
        std::printf("window=none\n");
        return 1;
    }
    RECT box, client;
    GetWindowRect(window, &box);
    GetClientRect(window, &client);
    std::printf(
        "class=%s\ncaption=%s\nskinned=%d\nrect=%ld,%ld,%ld,%ld\nsize=%ldx%ld\nclient=%ldx%ld\n",
        ClassOf(window).c_str(), TextOf(window).c_str(), Skinned(window), box.left, box.top,
        box.right, box.bottom, box.right - box.left, box.bottom - box.top, client.right,
        client.bottom);
    EnumChildWindows(window, DescribeChild, 0);
    return 0;
}

struct ChildSearch {
    std::string text;
    HWND found = nullptr;
};

BOOL CALLBACK FindChildByText(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<ChildSearch*>(context);
    if (IsWindowVisible(child) && TextOf(child) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// The screen point at the middle of the main window's visible control with a text.
int ControlCentre(const std::string& text) {
    HWND main = MainWindow();
    if (!main) return 1;
    ChildSearch search{text};
    EnumChildWindows(main, FindChildByText, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return 1;
    RECT box;
    GetWindowRect(search.found, &box);
    std::printf("x=%ld\ny=%ld\nskinned=%d\n", (box.left + box.right) / 2,
                (box.top + box.bottom) / 2, Skinned(search.found));
    return 0;
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: skin_probe main | window CLASS [TITLE [ms]] | menu [ms] | control-centre TEXT\n");
    return 2;
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::string> args;
    for (int i = 0; i < argc; ++i) args.push_back(Utf8(wide[i]));
    LocalFree(wide);
    if (args.size() < 2) return Usage();
    const std::string& command = args[1];
    if (command == "main") return Describe(MainWindow());
    if (command == "window" && args.size() > 2) {
        const int timeout = args.size() > 4 ? std::atoi(args[4].c_str()) : 5000;
        return Describe(WaitForTopLevel(args[2], args.size() > 3 ? args[3] : "", timeout));
    }
    if (command == "menu")
        return Describe(
            WaitForTopLevel("#32768", "", args.size() > 2 ? std::atoi(args[2].c_str()) : 5000));
    if (command == "control-centre" && args.size() > 2) return ControlCentre(args[2]);
    return Usage();
}
