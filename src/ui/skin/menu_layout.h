// Layout of the skinned menus: the items of a menu bar drawn in the frame,
// which item a point falls on, the keyboard's walk between the bar's menus,
// and the size of a popup-menu item.
#pragma once

#include <vector>

#include "ui/skin/frame_geometry.h"

namespace kestrone {

// Each item is its text plus `padding` on both sides, in a row from the
// bar's left end (from its right end in a right-to-left window).
std::vector<Rect> LayoutMenuBar(const std::vector<int>& textWidths, const Rect& bar, int padding,
                                bool rightToLeft);
// Index of the item under a point, or -1.
int MenuBarItemAt(const std::vector<Rect>& items, int x, int y);
// The neighbouring top-level menu for the left and right arrow keys, wrapping
// at both ends (the arrows swap in a right-to-left window).
int NeighbourMenu(int current, int count, bool rightArrow, bool rightToLeft);

// A popup-menu item: the gutter for check marks and glyphs, the text, a gap
// and the shortcut text, and room for a submenu arrow.
struct PopupItemMetrics {
    int gutter = 24;
    int padding = 8;
    int shortcutGap = 24;
    int arrowRoom = 16;
    int minHeight = 20;
    int separatorHeight = 7;
};
Size PopupItemSize(int textWidth, int shortcutWidth, int textHeight, bool separator,
                   const PopupItemMetrics& metrics);

}  // namespace kestrone
