#include "ui/skin/win32/skin_scrolling.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "ui/skin/control_frames.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/win_skin_form.h"

namespace kestrone::ui {

ScrollBarInfoFunction ScrollBarInfoApi() {
    static const ScrollBarInfoFunction function =
        reinterpret_cast<ScrollBarInfoFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "GetScrollBarInfo")));
    return function;
}

namespace {

constexpr DWORD kInvisible = 0x8000;  // STATE_SYSTEM_INVISIBLE
constexpr DWORD kUnavailable = 0x1;   // STATE_SYSTEM_UNAVAILABLE
constexpr DWORD kPressed = 0x8;       // STATE_SYSTEM_PRESSED
constexpr DWORD kOffscreen = 0x10000;

bool ReadBar(HWND window, bool vertical, SCROLLBARINFO& info) {
    const ScrollBarInfoFunction api = ScrollBarInfoApi();
    if (!api) return false;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!api(window, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) return false;
    return !(info.rgstate[0] & (kInvisible | kOffscreen)) &&
           info.rcScrollBar.right > info.rcScrollBar.left &&
           info.rcScrollBar.bottom > info.rcScrollBar.top;
}

// A rectangle along the bar: from `start` to `end` on its long side.
RECT Along(bool vertical, int length, int thickness, int start, int end) {
    (void)length;
    return vertical ? RECT{0, start, thickness, end} : RECT{start, 0, end, thickness};
}

void PaintBarTo(HDC dc, const SCROLLBARINFO& info, bool vertical, const TSkinContent& skin,
                int hover) {
    const TDataSkinObject& arrows = *skin.Find("Scrollbar");
    const int width = info.rcScrollBar.right - info.rcScrollBar.left;
    const int height = info.rcScrollBar.bottom - info.rcScrollBar.top;
    const int length = vertical ? height : width;
    const int thickness = vertical ? width : height;
    const RECT all{0, 0, width, height};
    FillSolid(dc, all, ToColorRef(skin.Colours.ButtonFace));
    const bool disabled = (info.rgstate[0] & kUnavailable) != 0;
    const int arrow =
        ScrollArrowLength(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length);

    if (const TDataSkinObject* track = skin.Find(vertical ? "VertScroll" : "HorzScroll")) {
        DrawSkinObject(dc, Along(vertical, length, thickness, arrow, length - arrow), *track,
                       ScrollTrackFrame(disabled));
    }
    const auto drawArrow = [&](int index, ScrollArrow which, int start) {
        const bool pressed = (info.rgstate[index] & kPressed) != 0;
        const bool off = disabled || (info.rgstate[index] & kUnavailable);
        DrawSkinObject(dc, Along(vertical, length, thickness, start, start + arrow), arrows,
                       ScrollArrowFrame(which, hover == index, pressed, off));
    };
    drawArrow(1, vertical ? ScrollArrow::Up : ScrollArrow::Left, 0);
    drawArrow(5, vertical ? ScrollArrow::Down : ScrollArrow::Right, length - arrow);

    const int thumbStart = info.xyThumbTop, thumbEnd = info.xyThumbBottom;
    if (disabled || thumbEnd - thumbStart <= 0) return;
    const bool pressed = (info.rgstate[3] & kPressed) != 0;
    const RECT thumb = Along(vertical, length, thickness, thumbStart, thumbEnd);
    if (const TDataSkinObject* t = skin.Find(vertical ? "VertScrollThumb" : "HorzScrollThumb"))
        DrawSkinObject(dc, thumb, *t, ScrollThumbFrame(hover == 3, pressed));
    const int gripFrame = ScrollGripFrame(vertical, hover == 3, pressed);
    const FrameRect grip = FrameOf(arrows.Map, arrows.Frame, gripFrame, false);
    const int gripLength = vertical ? grip.height : grip.width;
    if (!ThumbHasRoomForGrip(thumbEnd - thumbStart, gripLength)) return;
    const int gx = vertical ? (thickness - grip.width) / 2
                            : thumbStart + (thumbEnd - thumbStart - grip.width) / 2;
    const int gy = vertical ? thumbStart + (thumbEnd - thumbStart - grip.height) / 2
                            : (thickness - grip.height) / 2;
    DrawFrameImage(dc, gx, gy, arrows.Map, arrows.Frame, gripFrame, false, arrows.Trans == 1);
}

}  // namespace

bool PaintScrollBar(HDC windowDc, HWND window, bool vertical, const TSkinContent& skin, int hover) {
    const TDataSkinObject* arrows = skin.Find("Scrollbar");
    if (!arrows || arrows->Map.Empty()) return false;
    SCROLLBARINFO info;
    if (!ReadBar(window, vertical, info)) return false;
    RECT box;
    GetWindowRect(window, &box);
    const int width = info.rcScrollBar.right - info.rcScrollBar.left;
    const int height = info.rcScrollBar.bottom - info.rcScrollBar.top;
    OffscreenCanvas canvas(windowDc, width, height);
    if (!canvas.Valid()) return false;
    PaintBarTo(canvas.dc(), info, vertical, skin, hover);
    canvas.CopyTo(windowDc, info.rcScrollBar.left - box.left, info.rcScrollBar.top - box.top);
    return true;
}

int ScrollBarElementAt(HWND window, bool vertical, POINT screen) {
    SCROLLBARINFO info;
    if (!ReadBar(window, vertical, info) || !PtInRect(&info.rcScrollBar, screen)) return 0;
    const int length = vertical ? info.rcScrollBar.bottom - info.rcScrollBar.top
                                : info.rcScrollBar.right - info.rcScrollBar.left;
    const int at = vertical ? screen.y - info.rcScrollBar.top : screen.x - info.rcScrollBar.left;
    const int arrow =
        ScrollArrowLength(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length);
    if (at < arrow) return 1;
    if (at >= length - arrow) return 5;
    if (at < info.xyThumbTop) return 2;
    if (at < info.xyThumbBottom) return 3;
    return 4;
}

void TSkinEdit::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_NCPAINT) {
        PaintEdge();
        return;
    }
    TSkinControl::PostHandler(message, wParam, lParam, result);
}

// The sunken edge becomes a line in the skin's shadow colour with the
// control's own background inside it.
void TSkinEdit::PaintEdge() {
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    const LONG exStyle = GetWindowLongA(hwnd_, GWL_EXSTYLE);
    const int thickness = (exStyle & WS_EX_CLIENTEDGE) ? 2 : (style & WS_BORDER) ? 1 : 0;
    if (!thickness) return;
    HDC dc = GetWindowDC(hwnd_);
    if (!dc) return;
    RECT box;
    GetWindowRect(hwnd_, &box);
    RECT r{0, 0, box.right - box.left, box.bottom - box.top};
    BrushHandle line(CreateSolidBrush(ToColorRef(Skin().Colours.ButtonShadow)));
    ::FrameRect(dc, &r, line.get());
    if (thickness == 2) {
        char name[32] = {};
        GetClassNameA(hwnd_, name, sizeof name);
        const bool readOnlyEdit = lstrcmpiA(name, "Edit") == 0 && (style & ES_READONLY);
        InflateRect(&r, -1, -1);
        ::FrameRect(dc, &r,
                    readOnlyEdit || Disabled() ? FaceBrush() : GetSysColorBrush(COLOR_WINDOW));
    }
    ReleaseDC(hwnd_, dc);
}

void TSkinScrollbar::TrackNonClientLeave() {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE | TME_NONCLIENT;
    track.hwndTrack = hwnd_;
    TrackMouseEvent(&track);
}

void TSkinScrollbar::PaintBars(bool onlyWhenChanged) {
    const ScrollBarInfoFunction api = ScrollBarInfoApi();
    if (!api) return;
    HDC dc = nullptr;
    for (int bar = 0; bar < 2; ++bar) {
        const bool vertical = bar == 0;
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!api(hwnd_, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) continue;
        const bool same = std::memcmp(&info, &last_[bar], sizeof info) == 0;
        last_[bar] = info;
        if (onlyWhenChanged && same) continue;
        if (!dc) dc = GetWindowDC(hwnd_);
        if (dc) PaintScrollBar(dc, hwnd_, vertical, Skin(), hover_[bar]);
    }
    if (dc) ReleaseDC(hwnd_, dc);
}

void TSkinScrollbar::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_NCPAINT:
            PaintEdge();
            PaintBars(false);
            return;
        case WM_NCMOUSEMOVE: {
            const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const int v = wParam == HTVSCROLL ? ScrollBarElementAt(hwnd_, true, p) : 0;
            const int h = wParam == HTHSCROLL ? ScrollBarElementAt(hwnd_, false, p) : 0;
            if (v != hover_[0] || h != hover_[1]) {
                hover_[0] = v;
                hover_[1] = h;
                PaintBars(false);
            }
            TrackNonClientLeave();
            return;
        }
        case WM_NCMOUSELEAVE:
            hover_[0] = hover_[1] = 0;
            PaintBars(false);
            return;
        case WM_NCHITTEST:
        case WM_SETCURSOR:
        case WM_GETDLGCODE:
        case WM_GETFONT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            return;
        default:
            TSkinEdit::PostHandler(message, wParam, lParam, result);
            // The control may have drawn its bars itself while it scrolled.
            PaintBars(true);
            return;
    }
}

}  // namespace kestrone::ui
