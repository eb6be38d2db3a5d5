// Under Wine a window with a caption normally leaves its frame to the X
// window manager and shows only its inside; on Windows a program draws the
// whole window, frame included. Programs that look at frames (the skin's
// tests and benchmarks) ask Wine for the Windows way. Wine's X11 driver reads
// the setting when a process starts, so a program that had to change it
// starts itself once more.
#pragma once

#include <windows.h>

#include <string>

namespace kestrone::test {

inline bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// True when Wine already draws whole windows; otherwise sets it.
inline bool WineDrawsWholeWindows() {
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

// Runs this program again with the same command line; its exit code.
inline int RunSelfAgain() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string command = GetCommandLineA();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// At the start of main: true when the caller must return RunSelfAgain().
inline bool MustRestartForWholeWindows() {
    return UnderWine() && !WineDrawsWholeWindows();
}

}  // namespace kestrone::test
