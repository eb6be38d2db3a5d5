// TWinSkinMenu: a window's menu bar drawn by the skin in the frame strip
// under the title. A press on an item opens its menu as a popup (drawn by the
// popup-menu skinner); while it is open the left and right arrow keys move to
// the neighbouring menus, Alt closes it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/skin/frame_geometry.h"

namespace kestrone::ui {

class TWinSkinForm;

class TWinSkinMenu {
  public:
    TWinSkinMenu(TWinSkinForm& form, HMENU menu);
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    HMENU Menu() const { return menu_; }
    // Paints the bar into `strip` (window coordinates of the frame canvas).
    void Paint(HDC dc, const RECT& strip, bool active);
    // The item under a point in window coordinates, or -1.
    int ItemAt(POINT windowPoint) const;
    // Hover changes; true when the bar must be painted again.
    bool MouseMove(POINT windowPoint);
    bool CancelHover();
    bool Hovering() const { return hover_ >= 0; }
    // Opens the menu of an item (and walks to neighbours with the arrow keys).
    void Open(int index);
    int OpenIndex() const { return open_; }
    // Where the items stand (window coordinates), as last painted.
    const std::vector<Rect>& Items() const { return items_; }

  private:
    std::vector<std::wstring> Texts() const;
    void LayOut(HDC dc, const RECT& strip);
    static LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam);

    TWinSkinForm& form_;
    HMENU menu_;
    std::vector<Rect> items_;
    int hover_ = -1;
    int open_ = -1;
    int next_ = -1;
    HMENU tracking_ = nullptr;
};

}  // namespace kestrone::ui
