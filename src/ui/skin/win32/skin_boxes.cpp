#include "ui/skin/win32/skin_boxes.h"

#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/win_skin_form.h"

namespace kestrone::ui {

namespace {

// A background the program chose itself (a brush of its own for the window
// class), as opposed to a system colour or none.
bool OwnBackground(HWND window) {
    const auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND));
    const auto value = reinterpret_cast<uintptr_t>(brush);
    if (!brush || value <= COLOR_MENUBAR + 1) return false;  // COLOR_xxx + 1
    for (int index = 0; index <= COLOR_MENUBAR; ++index) {
        if (brush == GetSysColorBrush(index)) return false;
    }
    return true;
}

}  // namespace

// Panels and pages show the skin's face behind their children, unless the
// program gave the window a background of its own.
bool TSkinBox::PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_ERASEBKGND && !OwnBackground(hwnd_)) {
        RECT client;
        GetClientRect(hwnd_, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, FaceBrush());
        result = 1;
        return true;
    }
    return TSkinControl::PreFilter(message, wParam, lParam, result);
}

void TSkinBox::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
            result = reinterpret_cast<LRESULT>(SkinStaticColours(reinterpret_cast<HBRUSH>(result),
                                                                 reinterpret_cast<HDC>(wParam),
                                                                 Skin(), FaceBrush()));
            break;
        case WM_CTLCOLORBTN:
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            break;
        default:
            TSkinControl::PostHandler(message, wParam, lParam, result);
            break;
    }
}

bool TSkinGroupBox::PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(hwnd_, &paint);
            if (dc) PaintClipped(dc);
            EndPaint(hwnd_, &paint);
            result = 0;
            return true;
        }
        case WM_ERASEBKGND:
            result = 1;
            return true;
        default:
            return TSkinControl::PreFilter(message, wParam, lParam, result);
    }
}

void TSkinGroupBox::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_ENABLE || message == WM_SETTEXT || message == WM_UPDATEUISTATE) {
        HDC dc = GetDC(hwnd_);
        if (dc) PaintClipped(dc);
        ReleaseDC(hwnd_, dc);
        return;
    }
    TSkinControl::PostHandler(message, wParam, lParam, result);
}

// The controls inside a group box are its siblings: they keep their own
// drawing, so the box leaves their places out.
void TSkinGroupBox::PaintClipped(HDC target) {
    HWND parent = GetParent(hwnd_);
    RECT self;
    GetWindowRect(hwnd_, &self);
    const int saved = SaveDC(target);
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling == hwnd_ || !IsWindowVisible(sibling)) continue;
        RECT r, overlap;
        GetWindowRect(sibling, &r);
        if (!IntersectRect(&overlap, &r, &self)) continue;
        OffsetRect(&overlap, -self.left, -self.top);
        ExcludeClipRect(target, overlap.left, overlap.top, overlap.right, overlap.bottom);
    }
    PaintComposed(target);
    RestoreDC(target, saved);
}

void TSkinGroupBox::Paint(HDC dc, const RECT& client) {
    const TDataSkinObject* edge = Skin().Find("GroupBoxEdge");
    if (!edge || edge->Map.Empty()) {
        PaintWithoutEdge(dc, client);
        return;
    }
    FillSolid(dc, client, FaceColour());
    DrawSkinObject(dc, client, *edge, Disabled() ? 2 : 1);
    SelectGuard font(dc, Font());
    RECT caption{client.left + 10, client.top + 1, client.right - 10,
                 client.top + 1 + edge->TopHeight};
    const COLORREF colour =
        Disabled() ? GetSysColor(COLOR_BTNSHADOW) : ToColorRef(Skin().Colours.WindowText);
    DrawTextIn(dc, WindowTextOf(hwnd_), caption,
               DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX, colour);
}

// Without an edge object: a rounded line in the shadow colour and the caption
// on the face colour.
void TSkinGroupBox::PaintWithoutEdge(HDC dc, const RECT& client) {
    FillSolid(dc, client, FaceColour());
    SelectGuard font(dc, Font());
    SIZE digit{};
    GetTextExtentPoint32W(dc, L"0", 1, &digit);
    const int h = digit.cy / 2;
    PenHandle pen(CreatePen(PS_SOLID, 1, ToColorRef(Skin().Colours.ButtonShadow)));
    SelectGuard usePen(dc, pen.get());
    SelectGuard noFill(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, h, client.right - 1, client.bottom - 1, 5, 5);
    const std::wstring text = WindowTextOf(hwnd_);
    if (text.empty()) return;
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const bool right = (GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_RIGHT) != 0;
    const int x = right ? client.right - 8 - extent.cx : 8;
    RECT place{x, 0, x + extent.cx, extent.cy};
    FillSolid(dc, place, FaceColour());
    DrawTextIn(dc, text, place, DT_SINGLELINE | DT_NOPREFIX, ToColorRef(Skin().Colours.WindowText));
}

bool TSkinSizer::PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_PAINT) {
        PaintMessage();
        result = 0;
        return true;
    }
    if (message == WM_ERASEBKGND) {
        result = 1;
        return true;
    }
    return TSkinControl::PreFilter(message, wParam, lParam, result);
}

void TSkinSizer::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, FaceColour());
    if (const TDataSkinObject* extra = Skin().Find("ExtraImages")) {
        const FrameRect f = FrameOf(extra->Map, extra->Frame, 5, false);
        DrawFrameImage(dc, client.right - SkinScaled(f.width), client.bottom - SkinScaled(f.height),
                       extra->Map,
                       extra->Frame, 5, false, extra->Trans == 1);
    }
}

}  // namespace kestrone::ui
