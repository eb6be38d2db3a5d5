// Small Win32 helpers of the program's windows: text conversion for the few
// texts that must be shown with the wide-character calls, owners for GDI
// objects and device contexts, and the application title used for boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"

namespace kestrone::app {

std::wstring Utf8ToWide(const std::string& text);
std::wstring AnsiToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
// Window text through SetWindowTextW, so Chinese texts show on any code page.
void SetWindowTextUtf8(HWND window, const std::string& textUtf8);
std::string WindowTextUtf8(HWND window);

// A window text in the language of this run: its translation (UTF-8), else
// the text itself, which is ANSI (paths and names from the system).
std::wstring LocalizedWide(const std::string& text);
void SetLocalizedText(HWND window, const std::string& text);
// Lines translated one by one, each followed by `separator` but the last.
std::wstring LocalizedLines(const std::vector<std::string>& lines, const wchar_t* separator);
// A dialog made from a resource: its caption and its controls' texts.
void LocalizeDialogTexts(HWND dialog);
// A message box with its text and caption in the language of this run.
int LocalizedMessageBox(HWND owner, const std::wstring& text, const std::string& caption,
                        UINT flags);
int LocalizedMessageBox(HWND owner, const std::string& text, const std::string& caption,
                        UINT flags);

struct GdiTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using GdiObject = platform::UniqueHandle<GdiTraits>;

// The face of the windows' fonts: Tahoma, or for Chinese the first installed
// face that carries the Chinese characters (Tahoma has none of its own).
void ChooseUiFontFace();
const char* UiFontFace();
// The font of the dialogs made from resources when the windows speak Chinese.
HFONT DialogFont();

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
