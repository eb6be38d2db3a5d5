#include "ui/skin/win32/win_skin_menu.h"

#include "ui/skin/control_frames.h"
#include "ui/skin/menu_layout.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_form.h"

namespace kestrone::ui {

namespace {

constexpr int kItemPadding = 7;
TWinSkinMenu* g_tracking = nullptr;  // the bar whose menu is open (one at a time)
HHOOK g_filter = nullptr;

HFONT BarFont() {
    TSkinManage* manager = TSkinManage::Instance();
    return manager && manager->MenuFont() ? manager->MenuFont()
                                          : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The highlighted item of an open menu opens a menu of its own.
bool HighlightedItemHasSubmenu(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if ((GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) &&
            GetSubMenu(menu, i))
            return true;
    }
    return false;
}

}  // namespace

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form, HMENU menu) : form_(form), menu_(menu) {}

std::vector<std::wstring> TWinSkinMenu::Texts() const {
    std::vector<std::wstring> texts;
    const int count = GetMenuItemCount(menu_);
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu_, static_cast<UINT>(i), text, 255, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}

void TWinSkinMenu::LayOut(HDC dc, const RECT& strip) {
    SelectGuard font(dc, BarFont());
    std::vector<int> widths;
    for (const std::wstring& text : Texts()) {
        RECT r{0, 0, 0, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
        widths.push_back(r.right);
    }
    const bool rtl = (GetWindowLongA(form_.Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
    items_ = LayoutMenuBar(widths, {strip.left, strip.top, strip.right, strip.bottom}, kItemPadding,
                           rtl);
}

void TWinSkinMenu::Paint(HDC dc, const RECT& strip, bool active) {
    const TSkinContent* skin = form_.Skin();
    if (!skin) return;
    FillSolid(dc, strip, ToColorRef(skin->Colours.Menubar));
    if (const TDataSkinObject* bar = skin->Find("Personality")) {
        SliceStyle style;
        style.frameCount = bar->Frame;
        style.frame = active ? 1 : 2;
        style.margins = {bar->LeftWidth, 0, bar->RightWidth, 0};
        style.tile = bar->Tile == 1;
        DrawNineSlice(dc, strip, bar->Map, style);
    }
    LayOut(dc, strip);
    const TDataSkinObject* itemFrames = skin->Find("MenuItem");
    const std::vector<std::wstring> texts = Texts();
    SelectGuard font(dc, BarFont());
    for (size_t i = 0; i < items_.size() && i < texts.size(); ++i) {
        const Rect& r = items_[i];
        const RECT box{r.left, r.top, r.right, r.bottom};
        const bool open = static_cast<int>(i) == open_;
        const bool hover = static_cast<int>(i) == hover_;
        if ((open || hover) && itemFrames)
            DrawSkinObject(dc, box, *itemFrames, MenuBarItemFrame(hover, open));
        const UINT state = GetMenuState(menu_, static_cast<UINT>(i), MF_BYPOSITION);
        const COLORREF colour = (state & (MF_GRAYED | MF_DISABLED))
                                    ? ToColorRef(skin->Colours.ButtonShadow)
                                    : ToColorRef(skin->Colours.MenuBarText);
        DrawTextIn(dc, texts[i], box, DT_SINGLELINE | DT_VCENTER | DT_CENTER, colour);
    }
}

int TWinSkinMenu::ItemAt(POINT p) const {
    return MenuBarItemAt(items_, p.x, p.y);
}

bool TWinSkinMenu::MouseMove(POINT p) {
    const int over = ItemAt(p);
    if (over == hover_) return false;
    hover_ = over;
    return true;
}

bool TWinSkinMenu::CancelHover() {
    if (hover_ < 0) return false;
    hover_ = -1;
    return true;
}

LRESULT CALLBACK TWinSkinMenu::FilterHook(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == MSGF_MENU && g_tracking && message) {
        TWinSkinMenu& bar = *g_tracking;
        const bool rtl = (GetWindowLongA(bar.form_.Handle(), GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        const int count = GetMenuItemCount(bar.menu_);
        if (message->message == WM_KEYDOWN &&
            (message->wParam == VK_LEFT || message->wParam == VK_RIGHT)) {
            TSkinManage* manager = TSkinManage::Instance();
            const bool onlyTopOpen = !manager || manager->PopupMenuCount() <= 1;
            const bool right = message->wParam == VK_RIGHT;
            // A submenu opens or closes as usual; otherwise the next bar menu opens.
            const bool submenuMove =
                right ? HighlightedItemHasSubmenu(bar.tracking_) : !onlyTopOpen;
            if (!submenuMove) {
                bar.next_ = NeighbourMenu(bar.open_, count, right, rtl);
                EndMenu();
                return 1;
            }
        }
        if (message->message == WM_SYSKEYDOWN && message->wParam == VK_MENU) {
            EndMenu();
            return 1;
        }
    }
    return CallNextHookEx(g_filter, code, wParam, lParam);
}

void TWinSkinMenu::Open(int index) {
    HWND window = form_.Handle();
    while (index >= 0 && index < GetMenuItemCount(menu_)) {
        HMENU submenu = GetSubMenu(menu_, index);
        if (!submenu) {
            PostMessageA(window, WM_COMMAND, GetMenuItemID(menu_, index), 0);
            return;
        }
        open_ = index;
        next_ = -1;
        tracking_ = submenu;
        form_.PaintFrame();
        RECT box;
        GetWindowRect(window, &box);
        const Rect& item = items_[static_cast<size_t>(index)];
        TPMPARAMS exclude{};
        exclude.cbSize = sizeof exclude;
        exclude.rcExclude = {box.left + item.left, box.top + item.top, box.left + item.right,
                             box.top + item.bottom};
        g_tracking = this;
        g_filter = SetWindowsHookExA(WH_MSGFILTER, &TWinSkinMenu::FilterHook, nullptr,
                                     GetCurrentThreadId());
        TrackPopupMenuEx(submenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_VERTICAL,
                         exclude.rcExclude.left, exclude.rcExclude.bottom, window, &exclude);
        if (g_filter) UnhookWindowsHookEx(g_filter);
        g_filter = nullptr;
        g_tracking = nullptr;
        tracking_ = nullptr;
        open_ = -1;
        index = next_;
    }
    form_.PaintFrame();
}

}  // namespace kestrone::ui
