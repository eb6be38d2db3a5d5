// The hidden notification window that all tray icons of the process share
// (TTrayIconHandler). The shell posts WM_TRAYNOTIFY to it; wParam carries the
// icon's id, which picks the TCoolTrayIcon. It is a hidden top-level window so
// that the shell's "TaskbarCreated" broadcast reaches it.
#pragma once

#include <windows.h>

#include <cstdint>

namespace kestrone::ui {

class TCoolTrayIcon;

class TTrayIconHandler {
public:
    // Registers an icon (creating the window for the first) and returns its id.
    static std::uint32_t Acquire(TCoolTrayIcon* icon);
    // Forgets the icon; the window goes with the last one.
    static void Release(std::uint32_t id);
    static HWND Window();
    static int ReferenceCount();
    // The registered "TaskbarCreated" message, or 0 on a shell too old to send it.
    static UINT TaskbarCreatedMessage();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace kestrone::ui
