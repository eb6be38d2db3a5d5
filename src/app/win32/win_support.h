// Small Win32 helpers of the program's windows: text conversion for the few
// texts that must be shown with the wide-character calls, owners for GDI
// objects and device contexts, and the application title used for boxes.
#pragma once

#include <windows.h>

#include <string>

#include "platform/win32/handles.h"

namespace kestrone::app {

std::wstring Utf8ToWide(const std::string& text);
std::wstring AnsiToWide(const std::string& text);
// Window text through SetWindowTextW, so Chinese texts show on any code page.
void SetWindowTextUtf8(HWND window, const std::string& textUtf8);

struct GdiTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using GdiObject = platform::UniqueHandle<GdiTraits>;

// A font by face, height (negative: character height in pixels) and style.
HFONT MakeFont(const char* face, int height, bool bold = false, bool italic = false,
               bool underline = false);

// Selects an object into a DC for a scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GetWindowDC / ReleaseDC for a scope.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetWindowDC(window)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Dialogs laid out in pixels: the client area's size (the frame grows around
// it) and a control's place.
void SetDialogClientSize(HWND dialog, int width, int height);
void PlaceControl(HWND dialog, int id, int x, int y, int width, int height);

// Marks a push button whose command needs administrator rights with the
// system's shield (BCM_SETSHIELD), drawn by the skin or by the system.
void SetButtonShield(HWND button, bool shield);

// The application title: the caption of the program's message and error boxes.
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);

// The framework's error box for an error that ended a command.
void ShowErrorBox(HWND owner, const std::string& message);

}  // namespace kestrone::app
