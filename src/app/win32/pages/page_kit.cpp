#include "page_kit.h"

#include "admin_runner.h"
#include "list_view.h"
#include "win_support.h"

namespace kestrone::app {

namespace {
void SetBarParts(HWND bar, const std::vector<int>& rightEdges, int dpi) {
    std::vector<int> edges;
    for (int edge : rightEdges) edges.push_back(edge < 0 ? edge : ScaleToDpi(edge, dpi));
    SendMessageA(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    SendMessageA(bar, WM_SIZE, 0, 0);
}
}  // namespace

HWND PageKit::Control(HWND parent, const char* className, const char* text, DWORD style, int x,
                      int y, int width, int height, int id, HFONT font, DWORD exStyle) {
    const LayoutRect design{x, y, width, height};
    const LayoutRect place = ScaledRect(design, dpi_);
    // Wide: a control made with the ANSI call keeps only what the code page
    // can hold, and the Chinese texts need more.
    HWND control = CreateWindowExW(exStyle, AnsiToWide(className).c_str(),
                                   LocalizedWide(text ? text : "").c_str(),
                                   WS_CHILD | WS_VISIBLE | style, place.x, place.y, place.width,
                                   place.height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_,
                                   nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_), FALSE);
    if (control) placed_.push_back({control, design, kAnchorTopLeft});
    return control;
}

HWND PageKit::StatusBar(HWND parent, int id, const std::vector<int>& rightEdges) {
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0,
                               0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               instance_, nullptr);
    SendMessageA(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SetBarParts(bar, rightEdges, dpi_);
    if (bar) bars_.push_back({bar, rightEdges});
    return bar;
}

void PageKit::Anchor(HWND control, unsigned anchors) {
    for (Placed& placed : placed_)
        if (placed.control == control) placed.anchors = anchors;
}

void PageKit::LayOut(HWND parent, LayoutSize room) const {
    for (const Placed& placed : placed_) {
        if (GetParent(placed.control) != parent) continue;
        const LayoutRect place = ScaledRect(GrownRect(placed.design, placed.anchors, room), dpi_);
        SetWindowPos(placed.control, nullptr, place.x, place.y, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        char className[32] = {};
        GetClassNameA(placed.control, className, sizeof className);
        if ((placed.anchors & kGrowWidth) && lstrcmpiA(className, WC_LISTVIEWA) == 0)
            FillLastColumn(placed.control);
    }
    for (const Bar& bar : bars_)
        if (GetParent(bar.bar) == parent) SetBarParts(bar.bar, bar.rightEdges, dpi_);
}

void PageKit::AddTooltip(HWND control, const char* text) {
    if (!tooltips_)
        tooltips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, form_, nullptr,
                                    instance_, nullptr);
    std::wstring shown = LocalizedWide(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = shown.data();
    SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void PageKit::Prompt(const std::string& text) const {
    LocalizedMessageBox(form_, text, "Prompt", MB_OK | MB_ICONINFORMATION);
}

void PageKit::Prompt(const std::wstring& text) const {
    LocalizedMessageBox(form_, text, "Prompt", MB_OK | MB_ICONINFORMATION);
}

bool PageKit::Ask(const std::string& question) const { return Ask(LocalizedWide(question)); }

bool PageKit::Ask(const std::wstring& question) const {
    return LocalizedMessageBox(form_, question, "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void PageKit::SetStatusText(HWND bar, int panel, const std::string& text) {
    SendMessageW(bar, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(LocalizedWide(text).c_str()));
}

bool PageKit::Elevates() { return AdminRunner::Elevates(); }

void PageKit::MarkElevating(HWND button) const { SetButtonShield(button, Elevates()); }

}  // namespace kestrone::app
