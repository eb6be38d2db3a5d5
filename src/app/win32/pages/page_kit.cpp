#include "page_kit.h"

#include "admin_runner.h"
#include "win_support.h"

namespace kestrone::app {

HWND PageKit::Control(HWND parent, const char* className, const char* text, DWORD style, int x,
                      int y, int width, int height, int id, HFONT font, DWORD exStyle) const {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y,
                                   width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                                   nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_), FALSE);
    return control;
}

HWND PageKit::StatusBar(HWND parent, int id, const std::vector<int>& rightEdges) const {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0,
                               0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance_, nullptr);
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageA(bar, SB_SETPARTS, rightEdges.size(), reinterpret_cast<LPARAM>(rightEdges.data()));
    SendMessageA(bar, WM_SIZE, 0, 0);
    return bar;
}

void PageKit::AddTooltip(HWND control, const char* text) {
    if (!tooltips_)
        tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, form_, nullptr,
                                    instance_, nullptr);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(tooltips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void PageKit::Prompt(const std::string& text) const {
    MessageBoxA(form_, text.c_str(), "Prompt", MB_OK | MB_ICONINFORMATION);
}

bool PageKit::Ask(const std::string& question) const {
    return MessageBoxA(form_, question.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool PageKit::Elevates() { return AdminRunner::Elevates(); }

void PageKit::MarkElevating(HWND button) const { SetButtonShield(button, Elevates()); }

}  // namespace kestrone::app
