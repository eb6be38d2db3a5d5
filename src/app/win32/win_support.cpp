#include "win_support.h"

#include "ui/skin/win32/button_shield.h"

namespace kestrone::app {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

std::string g_applicationTitle;

}  // namespace

std::wstring Utf8ToWide(const std::string& text) { return ToWide(CP_UTF8, text); }
std::wstring AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }

void SetWindowTextUtf8(HWND window, const std::string& textUtf8) {
    SetWindowTextW(window, Utf8ToWide(textUtf8).c_str());
}

HFONT MakeFont(const char* face, int height, bool bold, bool italic, bool underline) {
    return CreateFontA(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face);
}

void SetDialogClientSize(HWND dialog, int width, int height) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

void PlaceControl(HWND dialog, int id, int x, int y, int width, int height) {
    SetWindowPos(GetDlgItem(dialog, id), nullptr, x, y, width, height, SWP_NOZORDER);
}

void SetButtonShield(HWND button, bool shield) {
    // Recorded on the button first, for a skin that takes it over later.
    ui::RememberButtonShield(button, shield);
    SendMessageA(button, ui::kSetShieldMessage, 0, shield ? 1 : 0);
}

const std::string& ApplicationTitle() { return g_applicationTitle; }
void SetApplicationTitle(const std::string& title) { g_applicationTitle = title; }

void ShowErrorBox(HWND owner, const std::string& message) {
    MessageBoxA(owner, message.c_str(), g_applicationTitle.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace kestrone::app
