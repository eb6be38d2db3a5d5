// Menu items drawn by the skin: making a menu's items owner-drawn (and back),
// measuring them, and drawing them with the MenuItem and MenuBackground
// objects and the menu glyphs.
#include "ui/skin/win32/menu_items.h"

// The common controls need the Windows types first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <map>
#include <memory>
#include <vector>

#include "ui/skin/control_frames.h"
#include "ui/skin/menu_layout.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_form.h"
#include "ui/skin/win32/win_skin_pop_menu.h"

namespace kestrone::ui {

namespace {

// What an item was before the skin drew it.
struct SkinMenuItem {
    static constexpr uint32_t kMagic = 0x4B534D49;
    uint32_t magic = kMagic;
    UINT type = 0;
    ULONG_PTR data = 0;
    std::wstring text;
};

struct PreparedMenu {
    std::vector<std::unique_ptr<SkinMenuItem>> items;
    HBRUSH originalBackground = nullptr;
    BrushHandle background;
};

std::map<HMENU, PreparedMenu>& Prepared() {
    static std::map<HMENU, PreparedMenu> menus;
    return menus;
}

const SkinMenuItem* ItemOf(ULONG_PTR data) {
    const auto* item = reinterpret_cast<const SkinMenuItem*>(data);
    if (!item) return nullptr;
    // Only items this file prepared carry the mark.
    for (const auto& [menu, prepared] : Prepared()) {
        for (const auto& own : prepared.items) {
            if (own.get() == item) return item->magic == SkinMenuItem::kMagic ? item : nullptr;
        }
    }
    return nullptr;
}

const TSkinContent* SkinFor(HWND owner) {
    TSkinManage* manager = TSkinManage::Instance();
    if (!manager) return nullptr;
    if (TWinSkinForm* form = manager->FindForm(owner)) return form->Skin();
    char name[256] = {};
    GetClassNameA(owner, name, sizeof name);
    TSkinData* data = manager->DataForWindow(owner, name);
    return data ? data->Content() : nullptr;
}

// The four 16 x 16 menu glyphs (check mark, radio bullet, arrow right, arrow
// left) in one 64 x 16 monochrome bitmap: 0 bits are the glyph.
HBITMAP MenuGlyphs() {
    static BitmapHandle glyphs = [] {
        std::vector<uint8_t> bits(8 * 16, 0xFF);
        const auto set = [&](int image, int x, int y) {
            const int column = image * 16 + x;
            bits[static_cast<size_t>(y) * 8 + column / 8] &=
                static_cast<uint8_t>(~(0x80 >> (column % 8)));
        };
        for (int i = 0; i < 3; ++i) {  // check mark: a short and a long stroke
            for (int t = 0; t < 2; ++t) set(0, 4 + i, 7 + i + t);
        }
        for (int i = 0; i < 6; ++i) {
            for (int t = 0; t < 2; ++t) set(0, 7 + i, 9 - i + t);
        }
        for (int y = 5; y <= 10; ++y) {  // bullet
            for (int x = 5; x <= 10; ++x) {
                const int dx = 2 * x - 15, dy = 2 * y - 15;
                if (dx * dx + dy * dy <= 40) set(1, x, y);
            }
        }
        for (int i = 0; i < 4; ++i) {  // arrows
            for (int y = 4 + i; y <= 11 - i; ++y) {
                set(2, 6 + i, y);
                set(3, 9 - i, y);
            }
        }
        return BitmapHandle(CreateBitmap(64, 16, 1, 1, bits.data()));
    }();
    return glyphs.get();
}

void DrawGlyph(HDC dc, int image, int x, int y, COLORREF colour) {
    MemoryDc source(CreateCompatibleDC(dc));
    SelectGuard bitmap(source.get(), MenuGlyphs());
    BrushHandle brush(CreateSolidBrush(colour));
    SelectGuard useBrush(dc, brush.get());
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, x, y, 16, 16, source.get(), image * 16, 0,
           0x00B8074A);  // the brush where bits are 0
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}

void SplitShortcut(const std::wstring& text, std::wstring& label, std::wstring& shortcut) {
    const size_t tab = text.find(L'\t');
    label = text.substr(0, tab);
    shortcut = tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
}

SIZE TextSize(HDC dc, const std::wstring& text) {
    RECT r{0, 0, 0, 0};
    if (!text.empty())
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    return {r.right, r.bottom};
}

HFONT MenuFont() {
    TSkinManage* manager = TSkinManage::Instance();
    return manager && manager->MenuFont() ? manager->MenuFont()
                                          : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void MeasureItem(MEASUREITEMSTRUCT& m, const SkinMenuItem& item) {
    HDC dc = GetDC(nullptr);
    SIZE label{}, shortcut{};
    {
        SelectGuard font(dc, MenuFont());
        std::wstring l, s;
        SplitShortcut(item.text, l, s);
        label = TextSize(dc, l);
        shortcut = TextSize(dc, s);
        if (label.cy == 0) label.cy = TextSize(dc, L"Ag").cy;
    }
    ReleaseDC(nullptr, dc);
    const Size size =
        PopupItemSize(label.cx, shortcut.cx, label.cy, (item.type & MFT_SEPARATOR) != 0, {});
    m.itemWidth = static_cast<UINT>(size.width);
    m.itemHeight = static_cast<UINT>(size.height);
}

void PaintItem(HDC dc, const RECT& r, const DRAWITEMSTRUCT& d, const SkinMenuItem& item,
               const TSkinContent& skin) {
    const PopupItemMetrics metrics;
    const RECT all{0, 0, r.right - r.left, r.bottom - r.top};
    FillSolid(dc, all, ToColorRef(skin.Colours.Menu));
    if (const TDataSkinObject* back = skin.Find("MenuBackground")) {
        // The background's middle band: its top and bottom edges belong to
        // the menu's frame, not to every item, so they fall outside the item.
        const RECT band{0, -back->TopHeight, all.right, all.bottom + back->BottomHeight};
        DrawSkinObject(dc, band, *back, 1);
    }
    if (item.type & MFT_SEPARATOR) {
        const int y = all.bottom / 2;
        FillSolid(dc, {metrics.gutter + 4, y, all.right - 4, y + 1},
                  ToColorRef(skin.Colours.ButtonShadow));
        return;
    }
    const bool disabled = (d.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    const bool selected = (d.itemState & ODS_SELECTED) != 0;
    if (selected) {
        if (const TDataSkinObject* frame = skin.Find("MenuItem")) {
            const RECT inset{2, 0, all.right - 2, all.bottom};
            DrawSkinObject(dc, inset, *frame, MenuItemFrame(true, disabled));
        }
    }
    const COLORREF colour =
        disabled ? ToColorRef(skin.Colours.ButtonShadow) : ToColorRef(skin.Colours.MenuText);
    if (d.itemState & ODS_CHECKED) {
        const int image = (item.type & MFT_RADIOCHECK) ? 1 : 0;
        DrawGlyph(dc, image, (metrics.gutter - 16) / 2, (all.bottom - 16) / 2, colour);
    }
    LOGFONTA logFont{};
    GetObjectA(MenuFont(), sizeof logFont, &logFont);
    if (d.itemState & ODS_DEFAULT) logFont.lfWeight = FW_BOLD;
    FontHandle font(CreateFontIndirectA(&logFont));
    SelectGuard useFont(dc, font.get());
    std::wstring label, shortcut;
    SplitShortcut(item.text, label, shortcut);
    RECT text{metrics.gutter + metrics.padding, 0, all.right - metrics.arrowRoom, all.bottom};
    const UINT format =
        DT_SINGLELINE | DT_VCENTER | ((d.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
    DrawTextIn(dc, label, text, format | DT_LEFT, colour);
    if (!shortcut.empty()) DrawTextIn(dc, shortcut, text, format | DT_RIGHT, colour);
}

LRESULT CALLBACK OwnerSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    if (TWinSkinPopMenu::HandleOwnerMessage(window, message, lParam)) return TRUE;
    return DefSubclassProc(window, message, wParam, lParam);
}

std::map<HWND, int>& OwnerUses() {
    static std::map<HWND, int> uses;
    return uses;
}

constexpr UINT_PTR kOwnerSubclassId = 0x4B53;

}  // namespace

bool TWinSkinPopMenu::Prepared(HMENU menu) {
    return ::kestrone::ui::Prepared().count(menu) != 0;
}

void TWinSkinPopMenu::PrepareItems(HMENU menu) {
    // A menu prepared before takes the items added since.
    if (!menu || !IsMenu(menu)) return;
    PreparedMenu& prepared = ::kestrone::ui::Prepared()[menu];
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
        wchar_t text[512] = {};
        info.dwTypeData = text;
        info.cch = 511;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
        if (info.fType & (MFT_OWNERDRAW | MFT_BITMAP)) continue;  // the program draws these itself
        auto item = std::make_unique<SkinMenuItem>();
        item->type = info.fType;
        item->data = info.dwItemData;
        item->text = text;
        MENUITEMINFOW change{};
        change.cbSize = sizeof change;
        change.fMask = MIIM_FTYPE | MIIM_DATA;
        change.fType = info.fType | MFT_OWNERDRAW;
        change.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
        if (SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change))
            prepared.items.push_back(std::move(item));
    }
}

void TWinSkinPopMenu::RestoreItems(HMENU menu) {
    auto& menus = ::kestrone::ui::Prepared();
    const auto found = menus.find(menu);
    if (found == menus.end()) return;
    if (IsMenu(menu)) {
        const int count = GetMenuItemCount(menu);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_DATA;
            if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
            const SkinMenuItem* item = ItemOf(info.dwItemData);
            if (!item) continue;
            MENUITEMINFOW back{};
            back.cbSize = sizeof back;
            back.fMask = MIIM_FTYPE | MIIM_DATA | ((item->type & MFT_SEPARATOR) ? 0 : MIIM_STRING);
            back.fType = item->type;
            back.dwItemData = item->data;
            back.dwTypeData = const_cast<wchar_t*>(item->text.c_str());
            SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &back);
        }
    }
    menus.erase(found);
}

bool TWinSkinPopMenu::HandleOwnerMessage(HWND owner, UINT message, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!m || m->CtlType != ODT_MENU) return false;
        const SkinMenuItem* item = ItemOf(m->itemData);
        if (!item) return false;
        MeasureItem(*m, *item);
        return true;
    }
    if (message == WM_DRAWITEM) {
        auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (!d || d->CtlType != ODT_MENU) return false;
        const SkinMenuItem* item = ItemOf(d->itemData);
        const TSkinContent* skin = SkinFor(owner);
        if (!item || !skin) return false;
        const RECT& r = d->rcItem;
        OffscreenCanvas canvas(d->hDC, r.right - r.left, r.bottom - r.top);
        if (!canvas.Valid()) return false;
        PaintItem(canvas.dc(), r, *d, *item, *skin);
        canvas.CopyTo(d->hDC, r.left, r.top);
        return true;
    }
    return false;
}

// Menu owners that are not skinned windows answer for the items through a
// subclass held while one of their menus is open.
void HookMenuOwner(HWND owner) {
    if (!owner || ++OwnerUses()[owner] > 1) return;
    SetWindowSubclass(owner, &OwnerSubclass, kOwnerSubclassId, 0);
}

void UnhookMenuOwner(HWND owner) {
    auto& uses = OwnerUses();
    const auto found = uses.find(owner);
    if (found == uses.end()) return;
    if (--found->second > 0) return;
    uses.erase(found);
    if (IsWindow(owner)) RemoveWindowSubclass(owner, &OwnerSubclass, kOwnerSubclassId);
}

void SetMenuBackground(HMENU menu, COLORREF colour) {
    auto& menus = ::kestrone::ui::Prepared();
    const auto found = menus.find(menu);
    if (found == menus.end()) return;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    GetMenuInfo(menu, &info);
    found->second.originalBackground = info.hbrBack;
    found->second.background.reset(CreateSolidBrush(colour));
    info.hbrBack = found->second.background.get();
    SetMenuInfo(menu, &info);
}

void RestoreMenuBackground(HMENU menu) {
    auto& menus = ::kestrone::ui::Prepared();
    const auto found = menus.find(menu);
    if (found == menus.end() || !IsMenu(menu)) return;
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    info.hbrBack = found->second.originalBackground;
    SetMenuInfo(menu, &info);
}

}  // namespace kestrone::ui
