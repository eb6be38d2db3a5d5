#include "dpi.h"

#include "app/page_layout.h"

namespace kestrone::app {

namespace {
using DpiOfWindow = UINT(WINAPI*)(HWND);

DpiOfWindow WindowDpiCall() {
    static const DpiOfWindow call = reinterpret_cast<DpiOfWindow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    return call;
}
}  // namespace

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window) {
    if (DpiOfWindow call = WindowDpiCall(); call && window)
        if (const UINT dpi = call(window)) return static_cast<int>(dpi);
    return SystemDpi();
}

}  // namespace kestrone::app
