#include "ui/skin/win32/win_skin_pop_menu.h"

#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/menu_items.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_form.h"

namespace kestrone::ui {

namespace {

constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU
constexpr int kFrameWidth = 3;

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsSystemMenu(HMENU menu) {
    return menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != static_cast<UINT>(-1);
}

HWND MenuOwnerOf(const CREATESTRUCTA& create) {
    if (create.hwndParent) return create.hwndParent;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info)) return info.hwndMenuOwner;
    return nullptr;
}

}  // namespace

bool TWinSkinPopMenu::SkinsMenuKind(const TSkinData& data, int kind) {
    if (kind == 2) return data.SkinControls.Has(xcSystemMenu);
    return data.SkinControls.Has(xcPopupMenu) || data.SkinControls.Has(xcMenuItem);
}

TWinSkinPopMenu::TWinSkinPopMenu(HWND menuWindow, const CREATESTRUCTA& create, TSkinManage& manager)
    : hwnd_(menuWindow), manager_(manager) {
    owner_ = MenuOwnerOf(create);
    data_ = manager_.DataForWindow(owner_, owner_ ? ClassOf(owner_) : std::string());
    if (!data_ || !data_->Content()) return;
    // The menu is known now on some systems, on others once the window exists.
    auto menu = static_cast<HMENU>(create.lpCreateParams);
    if (menu && !IsMenu(menu)) menu = nullptr;
    const int kind = menu ? (IsSystemMenu(menu) ? 2 : 1) : manager_.MenuKind();
    if (!SkinsMenuKind(*data_, kind)) return;
    slot_ = InstallSubclass(hwnd_, this, &TWinSkinPopMenu::HandleMessage);
    if (!slot_) return;
    if (owner_ && !manager_.FindForm(owner_)) {
        HookMenuOwner(owner_);
        ownerHooked_ = true;
    }
    if (menu) TakeMenu(menu);
}

TWinSkinPopMenu::~TWinSkinPopMenu() {
    Release();
}

void TWinSkinPopMenu::TakeMenu(HMENU menu) {
    if (menu_ || !menu) return;
    menu_ = menu;
    PrepareItems(menu_);
    if (const TSkinContent* skin = data_->Content())
        SetMenuBackground(menu_, ToColorRef(skin->Colours.Menu));
}

void TWinSkinPopMenu::Release() {
    if (menu_) {
        RestoreMenuBackground(menu_);
        RestoreItems(menu_);
        menu_ = nullptr;
    }
    if (ownerHooked_) UnhookMenuOwner(owner_);
    ownerHooked_ = false;
    if (slot_) RemoveSubclass(hwnd_, slot_, !IsWindow(hwnd_));
    slot_ = nullptr;
}

LRESULT TWinSkinPopMenu::HandleMessage(void* self, HWND, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
    auto* menu = static_cast<TWinSkinPopMenu*>(self);
    ++menu->depth_;
    const LRESULT result = menu->Dispatch(message, wParam, lParam);
    --menu->depth_;
    return result;
}

LRESULT TWinSkinPopMenu::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const SubclassSlot slot = *slot_;
    if (message == WM_NCDESTROY) {
        Release();
        return CallPrevious(slot, hwnd_, message, wParam, lParam);
    }
    if (message == skinmsg::kQuery) return 1;
    if (!manager_.Active() || !data_->Content())
        return CallPrevious(slot, hwnd_, message, wParam, lParam);
    if (!menu_ && message != WM_NCCREATE) {
        TakeMenu(reinterpret_cast<HMENU>(CallPrevious(slot, hwnd_, kGetMenuHandle, 0, 0)));
    }
    switch (message) {
        case WM_ERASEBKGND:
            if (data_->Options.Has(xoMenuBG)) return 1;
            break;
        case WM_NCPAINT:
        case WM_PRINT:
        case WM_PAINT: {
            const LRESULT result = CallPrevious(slot, hwnd_, message, wParam, lParam);
            PaintFrame();
            return result;
        }
        default:
            break;
    }
    return CallPrevious(slot, hwnd_, message, wParam, lParam);
}

// The window's outer band from the MenuBackground object, whether the system
// keeps it as a frame or inside the window.
void TWinSkinPopMenu::PaintFrame() {
    const TSkinContent* skin = data_->Content();
    const TDataSkinObject* back = skin ? skin->Find("MenuBackground") : nullptr;
    if (!back || back->Map.Empty()) return;
    HDC dc = GetWindowDC(hwnd_);
    if (!dc) return;
    RECT box;
    GetWindowRect(hwnd_, &box);
    const int width = box.right - box.left, height = box.bottom - box.top;
    OffscreenCanvas canvas(dc, width, height);
    if (canvas.Valid() && DrawSkinObject(canvas.dc(), {0, 0, width, height}, *back, 1)) {
        const int band = kFrameWidth;
        canvas.CopyPart(dc, {0, 0, width, band});
        canvas.CopyPart(dc, {0, height - band, width, height});
        canvas.CopyPart(dc, {0, band, band, height - band});
        canvas.CopyPart(dc, {width - band, band, width, height - band});
    }
    ReleaseDC(hwnd_, dc);
}

}  // namespace kestrone::ui
