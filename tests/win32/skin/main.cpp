// The suite's entry. Started with "--foreign-window TITLE" the program only
// shows a window of the test class under that title until it is told to go:
// the window of another process that the skin must never touch.
//
// Under Wine a window with a caption normally leaves its frame to the X
// window manager and shows only its inside; on Windows the program draws the
// whole window. The suite asks Wine for the Windows way (its X11 driver reads
// the setting when a process starts, so the suite starts itself once more).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "skin_fixture.h"

namespace {

int ShowForeignWindow(const char* title) {
    kestrone::test::RegisterTestClass();
    HWND window =
        CreateWindowExA(0, kestrone::test::kSkinTestClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        300, 300, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) return 1;
    MSG message;
    while (IsWindow(window) && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.hwnd == window && message.message == WM_USER) break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// True when Wine was already set to draw whole windows; otherwise sets it.
bool WholeWindowsDrawn() {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", 0, nullptr, 0,
                        KEY_READ | KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return true;
    }
    char value[8] = {};
    DWORD size = sizeof value;
    const bool set = RegQueryValueExA(key, "Decorated", nullptr, nullptr,
                                      reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
                     value[0] == 'N';
    if (!set) RegSetValueExA(key, "Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
    RegCloseKey(key);
    return set;
}

int RunAgain() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = GetCommandLineA();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--foreign-window") == 0)
        return ShowForeignWindow(argv[2]);
    if (UnderWine() && !WholeWindowsDrawn()) return RunAgain();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
