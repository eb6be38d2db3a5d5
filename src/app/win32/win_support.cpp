#include "win_support.h"

#include "app/ui_text.h"
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
std::string g_uiFontFace = "Tahoma";

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const char* face) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& text) { return ToWide(CP_UTF8, text); }
std::wstring AnsiToWide(const std::string& text) { return ToWide(CP_ACP, text); }

std::string WideToUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                        length, nullptr, nullptr);
    return utf8;
}

void SetWindowTextUtf8(HWND window, const std::string& textUtf8) {
    SetWindowTextW(window, Utf8ToWide(textUtf8).c_str());
}

std::string WindowTextUtf8(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return WideToUtf8(text);
}

std::wstring LocalizedWide(const std::string& text) {
    std::string shown = Localized(text);
    return shown == text ? AnsiToWide(text) : Utf8ToWide(shown);
}

void SetLocalizedText(HWND window, const std::string& text) {
    SetWindowTextW(window, LocalizedWide(text).c_str());
}

std::wstring LocalizedLines(const std::vector<std::string>& lines, const wchar_t* separator) {
    std::wstring text;
    for (size_t index = 0; index < lines.size(); ++index)
        text += (index ? separator : L"") + LocalizedWide(lines[index]);
    return text;
}

void LocalizeDialogTexts(HWND dialog) {
    if (CurrentUiLanguage() == UiLanguage::English) return;
    auto localize = [](HWND window) {
        std::string text = WindowTextUtf8(window);
        std::string shown = Localized(text);
        if (shown != text) SetWindowTextUtf8(window, shown);
    };
    localize(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        localize(child);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
    }
}

int LocalizedMessageBox(HWND owner, const std::wstring& text, const std::string& caption,
                        UINT flags) {
    return MessageBoxW(owner, text.c_str(), LocalizedWide(caption).c_str(), flags);
}

int LocalizedMessageBox(HWND owner, const std::string& text, const std::string& caption,
                        UINT flags) {
    return LocalizedMessageBox(owner, LocalizedWide(text), caption, flags);
}

void ChooseUiFontFace() {
    g_uiFontFace = "Tahoma";
    if (CurrentUiLanguage() == UiLanguage::English) return;
    // Windows from Vista on, Windows XP, then what Linux desktops carry.
    for (const char* face : {"Microsoft YaHei", "SimSun", "WenQuanYi Micro Hei",
                             "WenQuanYi Zen Hei", "Noto Sans CJK SC", "Droid Sans Fallback"})
        if (FaceInstalled(face)) {
            g_uiFontFace = face;
            return;
        }
}

const char* UiFontFace() { return g_uiFontFace.c_str(); }

HFONT DialogFont() {
    static GdiObject font(MakeFont(UiFontFace(), -12));
    return static_cast<HFONT>(font.get());
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
    LocalizedMessageBox(owner, message, g_applicationTitle, MB_OK | MB_ICONERROR);
}

}  // namespace kestrone::app
