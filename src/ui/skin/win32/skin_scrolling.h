// Edits and the controls with scroll bars of their own (memos, list boxes,
// list views): the edge drawn in the skin's shadow colour, and the scroll
// bars painted from the skin over the frame (TWScrollbar), taking geometry and
// state from GetScrollBarInfo.
#pragma once

#include <windows.h>

#include "ui/skin/win32/skin_control.h"

namespace kestrone::ui {

// GetScrollBarInfo, looked up at run time (older systems lack it).
using ScrollBarInfoFunction = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
ScrollBarInfoFunction ScrollBarInfoApi();

// Paints one of a window's own scroll bars into its window DC. `hover` is the
// element under the mouse (the SCROLLBARINFO state index: 1 first arrow, 3
// thumb, 5 second arrow; 0 none). False when the bar is hidden or the skin has
// no scroll-bar bitmap.
bool PaintScrollBar(HDC windowDc, HWND window, bool vertical, const TSkinContent& skin, int hover);
// The element of a bar under a screen point (0 none).
int ScrollBarElementAt(HWND window, bool vertical, POINT screen);

class TSkinEdit : public TSkinControl {
  public:
    using TSkinControl::TSkinControl;
    ControlSkinKind Kind() const override { return ControlSkinKind::Edit; }

  protected:
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void PaintEdge();
};

// TSkinScrollbar (memos, list boxes) and TSkinListView.
class TSkinScrollbar : public TSkinEdit {
  public:
    TSkinScrollbar(HWND control, TWinSkinForm& form, ControlSkinKind kind)
        : TSkinEdit(control, form), kind_(kind) {}
    ControlSkinKind Kind() const override { return kind_; }

  protected:
    void PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void PaintBars(bool onlyWhenChanged);
    void TrackNonClientLeave();
    ControlSkinKind kind_;
    SCROLLBARINFO last_[2]{};
    int hover_[2]{};
};

}  // namespace kestrone::ui
