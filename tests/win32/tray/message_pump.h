// Runs the thread's message loop in tests until a condition holds or a time
// limit passes (timers and posted notifications arrive only through it).
#pragma once

#include <windows.h>

namespace kestrone::test {

template <typename Condition>
bool PumpUntil(Condition done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (done()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
}

inline void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

// A plain visible top-level window to own components in tests.
inline HWND MakeTestWindow(const char* title, bool visible) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "KestroneTestWindow";
        RegisterClassA(&windowClass);
        registered = true;
    }
    return CreateWindowExA(0, "KestroneTestWindow", title,
                           WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 100, 100, 300, 200,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

}  // namespace kestrone::test
