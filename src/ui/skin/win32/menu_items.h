// Helpers of the popup-menu skinner kept beside the item painter: the menu
// owners that answer for skinned items, and the menus' background brush.
#pragma once

#include <windows.h>

namespace kestrone::ui {

// An owner window that is not a skinned window answers WM_MEASUREITEM and
// WM_DRAWITEM of skinned items while one of its menus is open.
void HookMenuOwner(HWND owner);
void UnhookMenuOwner(HWND owner);

// The background of a prepared menu while the skin draws it.
void SetMenuBackground(HMENU menu, COLORREF colour);
void RestoreMenuBackground(HMENU menu);

}  // namespace kestrone::ui
