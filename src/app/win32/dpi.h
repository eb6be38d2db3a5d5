// The resolution a window is drawn at. The manifest declares the program
// aware of each monitor's DPI; where the system cannot tell a window's own
// DPI (before Windows 10), the screen's is used.
#pragma once

#include <windows.h>

namespace kestrone::app {

int SystemDpi();
int WindowDpi(HWND window);

}  // namespace kestrone::app
