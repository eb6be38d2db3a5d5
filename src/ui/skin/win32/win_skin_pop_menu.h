// TWinSkinPopMenu: takes over a popup-menu window ("#32768") while it is
// open. The menu's items become owner-drawn for that time and are drawn with
// the skin's MenuItem and MenuBackground objects; the window's frame is
// painted from MenuBackground. When the window goes, the items and the
// window procedure are given back as they were.
#pragma once

#include <windows.h>

#include "ui/skin/skin_data.h"
#include "ui/skin/win32/subclass_slot.h"

namespace kestrone::ui {

class TSkinManage;

class TWinSkinPopMenu {
  public:
    TWinSkinPopMenu(HWND menuWindow, const CREATESTRUCTA& create, TSkinManage& manager);
    ~TWinSkinPopMenu();
    TWinSkinPopMenu(const TWinSkinPopMenu&) = delete;
    TWinSkinPopMenu& operator=(const TWinSkinPopMenu&) = delete;

    // False when this kind of menu is not skinned (nothing was changed).
    bool Skinning() const { return slot_ != nullptr; }
    void Release();
    bool Busy() const { return depth_ > 0; }
    HMENU Menu() const { return menu_; }

    // Whether a TSkinData skins ordinary menus (kind 1) or system menus (2).
    static bool SkinsMenuKind(const TSkinData& data, int kind);
    // The items of a menu become owner-drawn, remembering what they were
    // (items already drawn by the skin or by the program stay as they are).
    static void PrepareItems(HMENU menu);
    static void RestoreItems(HMENU menu);
    static bool Prepared(HMENU menu);
    // WM_MEASUREITEM and WM_DRAWITEM of prepared items, for any owner window.
    static bool HandleOwnerMessage(HWND owner, UINT message, LPARAM lParam);

  private:
    static LRESULT HandleMessage(void* self, HWND window, UINT message, WPARAM wParam,
                                 LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void TakeMenu(HMENU menu);
    void PaintFrame();

    HWND hwnd_;
    TSkinManage& manager_;
    TSkinData* data_ = nullptr;
    HMENU menu_ = nullptr;
    HWND owner_ = nullptr;
    bool ownerHooked_ = false;
    SubclassSlot* slot_ = nullptr;
    int depth_ = 0;
};

}  // namespace kestrone::ui
