// RAII owners for the GDI objects the popup paints with: fonts, bitmaps,
// brushes and pens, memory device contexts, and a selection into a DC that
// is undone at scope end.
#pragma once

#include <windows.h>

#include "platform/win32/handles.h"

namespace kestrone::ui {

template <typename H>
struct GdiObjectTraits {
    using Handle = H;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using FontHandle = platform::UniqueHandle<GdiObjectTraits<HFONT>>;
using BitmapHandle = platform::UniqueHandle<GdiObjectTraits<HBITMAP>>;
using BrushHandle = platform::UniqueHandle<GdiObjectTraits<HBRUSH>>;
using PenHandle = platform::UniqueHandle<GdiObjectTraits<HPEN>>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};
using MemoryDc = platform::UniqueHandle<MemoryDcTraits>;

class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectGuard() { SelectObject(dc_, previous_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's client DC for the length of a scope.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace kestrone::ui
