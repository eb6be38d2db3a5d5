#include "ui/skin/win32/skin_bars.h"

// The common controls need the Windows types first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <vector>

#include "ui/skin/control_frames.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/win_skin_form.h"

namespace kestrone::ui {

namespace {

constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

std::wstring StatusText(HWND bar, int part) {
    const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    if (HIWORD(length) & SBT_OWNERDRAW) return {};
    std::wstring text(LOWORD(length) + 1, L'\0');
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

}  // namespace

bool TSkinPaintedControl::PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_PAINT:
            PaintMessage();
            result = 0;
            return true;
        case WM_PRINTCLIENT:
            PaintComposed(reinterpret_cast<HDC>(wParam));
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;
            return true;
        default:
            return TSkinControl::PreFilter(message, wParam, lParam, result);
    }
}

void TSkinStatusBar::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case SB_SETTEXTA:
        case SB_SETTEXTW:
        case SB_SETPARTS:
        case SB_SIMPLE:
        case WM_SIZE:
            Invalidate();
            break;
        default:
            TSkinPaintedControl::PostHandler(message, wParam, lParam, result);
            break;
    }
}

// The bar, a panel frame per part with its text (a tab centres what follows
// it, a second tab right-aligns), and the size grip.
void TSkinStatusBar::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, FaceColour());
    const TDataSkinObject* edges = Skin().Find("StatusBarEdges");
    if (edges) DrawSkinObject(dc, client, *edges, 1);
    SelectGuard font(dc, Font());
    const COLORREF colour = ToColorRef(Skin().Colours.WindowText);
    const bool simple = SendMessageA(hwnd_, SB_ISSIMPLE, 0, 0) != 0;
    const int parts = simple ? 1 : static_cast<int>(SendMessageA(hwnd_, SB_GETPARTS, 0, 0));
    for (int i = 0; i < parts; ++i) {
        const int part = simple ? SB_SIMPLEID : i;
        RECT r{};
        if (simple)
            r = client;
        else
            SendMessageA(hwnd_, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        if (edges && !simple && i + 1 < parts) DrawSkinObject(dc, r, *edges, 2);
        std::wstring text = StatusText(hwnd_, part);
        RECT area = r;
        InflateRect(&area, -4, 0);
        const UINT aligns[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
        for (int segment = 0; segment < 3 && !text.empty(); ++segment) {
            const size_t tab = text.find(L'\t');
            const std::wstring piece = text.substr(0, tab);
            if (!piece.empty()) DrawTextIn(dc, piece, area, kTextFormat | aligns[segment], colour);
            text = tab == std::wstring::npos ? std::wstring() : text.substr(tab + 1);
        }
    }
    if (edges && (GetWindowLongA(hwnd_, GWL_STYLE) & SBARS_SIZEGRIP)) {
        const int side = client.bottom - client.top;
        DrawSkinObject(dc, {client.right - side, client.top, client.right, client.bottom}, *edges,
                       3);
    }
}

void TSkinToolbar::OnAttached() {
    const LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    SetWindowLongA(hwnd_, GWL_STYLE, style | TBSTYLE_FLAT);
}

void TSkinToolbar::Paint(HDC dc, const RECT& client) {
    const TDataSkinObject* back = Skin().Find("Toolbar");
    FillSolid(dc, client, FaceColour());
    if (back && Data().Options.Has(xoToolbarBK)) DrawSkinObject(dc, client, *back, 1);
    const TDataSkinObject* frames = Skin().Find("ToolBars");
    SelectGuard font(dc, Font());
    const int count = static_cast<int>(SendMessageA(hwnd_, TB_BUTTONCOUNT, 0, 0));
    const int hot = static_cast<int>(SendMessageA(hwnd_, TB_GETHOTITEM, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(hwnd_, TB_GETIMAGELIST, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        RECT r{};
        SendMessageA(hwnd_, TB_GETBUTTON, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&button));
        if (button.fsState & TBSTATE_HIDDEN) continue;
        SendMessageA(hwnd_, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        if (button.fsStyle & BTNS_SEP) {
            RECT line{(r.left + r.right) / 2, r.top + 3, (r.left + r.right) / 2 + 1, r.bottom - 3};
            FillSolid(dc, line, ToColorRef(Skin().Colours.ButtonShadow));
            continue;
        }
        const bool disabled = !(button.fsState & TBSTATE_ENABLED);
        const int frame =
            ToolButtonFrame(disabled, i == hot, (button.fsState & TBSTATE_PRESSED) != 0,
                            (button.fsState & TBSTATE_CHECKED) != 0);
        if (frames && frame != 1 && frame != 4) DrawSkinObject(dc, r, *frames, frame);
        RECT area = r;
        if (images && button.iBitmap >= 0) {
            int w = 0, h = 0;
            ImageList_GetIconSize(images, &w, &h);
            ImageList_Draw(images, button.iBitmap, dc, (r.left + r.right - w) / 2, r.top + 3,
                           disabled ? ILD_BLEND50 : ILD_NORMAL);
            area.top += h + 3;
        }
        wchar_t text[256] = {};
        SendMessageW(hwnd_, TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand),
                     reinterpret_cast<LPARAM>(text));
        const COLORREF colour =
            disabled ? GetSysColor(COLOR_GRAYTEXT) : ToColorRef(Skin().Colours.ButtonText);
        DrawTextIn(dc, text, area, kTextFormat | DT_CENTER, colour);
    }
}

void TSkinProgress::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message >= PBM_SETRANGE && message <= PBM_SETRANGE32) Invalidate();
    TSkinPaintedControl::PostHandler(message, wParam, lParam, result);
}

void TSkinProgress::Paint(HDC dc, const RECT& client) {
    FillSolid(dc, client, FaceColour());
    const TDataSkinObject* trough = Skin().Find("Progress");
    if (trough) DrawSkinObject(dc, client, *trough, 1);
    PBRANGE range{};
    SendMessageA(hwnd_, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    const int position = static_cast<int>(SendMessageA(hwnd_, PBM_GETPOS, 0, 0));
    const int span = std::max(range.iHigh - range.iLow, 1);
    RECT bar = client;
    InflateRect(&bar, -1, -1);
    bar.right =
        bar.left + (bar.right - bar.left) * std::clamp(position - range.iLow, 0, span) / span;
    if (bar.right <= bar.left) return;
    if (const TDataSkinObject* chunk = Skin().Find("Progress.Chunk"))
        DrawSkinObject(dc, bar, *chunk, 1);
    else if (trough && trough->Frame > 1)
        DrawSkinObject(dc, bar, *trough, 2);
}

void TSkinComBox::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (SetState(kHoverBit, true)) Invalidate();
            TrackLeave();
            break;
        case WM_MOUSELEAVE:
            if (SetState(kHoverBit, false)) Invalidate();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_MOUSEWHEEL:
        case WM_COMMAND:
        case CB_SETCURSEL:
        case CB_SELECTSTRING:
        case CB_RESETCONTENT:
        case CB_SHOWDROPDOWN:
        case WM_CTLCOLORLISTBOX:
            RepaintNow();  // the combo box draws its text itself when its selection moves
            break;
        default:
            TSkinPaintedControl::PostHandler(message, wParam, lParam, result);
            break;
    }
}

void TSkinComBox::Paint(HDC dc, const RECT& client) {
    const TSkinContent& skin = Skin();
    FillSolid(dc, client, FaceColour());
    const HWND focus = GetFocus();
    const bool focused = focus == hwnd_ || IsChild(hwnd_, focus);
    const bool dropped = SendMessageA(hwnd_, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (const TDataSkinObject* edge = skin.Find("SunkEdge"))
        DrawSkinObject(dc, client, *edge, ComboEdgeFrame(Disabled(), focused, Hover()));
    else
        ::FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    const int buttonWidth = GetSystemMetrics(SM_CXVSCROLL);
    const RECT button{client.right - 1 - buttonWidth, client.top + 1, client.right - 1,
                      client.bottom - 1};
    if (const TDataSkinObject* arrow = skin.Find("ComboButton"))
        DrawSkinObject(dc, button, *arrow, ComboButtonFrame(Disabled(), dropped, Hover()));
    if ((GetWindowLongA(hwnd_, GWL_STYLE) & 3) != CBS_DROPDOWNLIST)
        return;  // an edit shows the text
    const int selected = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
    std::wstring text;
    if (selected >= 0) {
        const LRESULT length =
            SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected), 0);
        if (length > 0) {
            text.assign(static_cast<size_t>(length) + 1, L'\0');
            SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                         reinterpret_cast<LPARAM>(text.data()));
            text.resize(wcslen(text.c_str()));
        }
    }
    RECT area{client.left + 3, client.top + 3, button.left - 1, client.bottom - 3};
    COLORREF colour =
        Disabled() ? GetSysColor(COLOR_GRAYTEXT) : ToColorRef(skin.Colours.WindowText);
    if (focused && !dropped && !Disabled()) {
        FillSolid(dc, area, ToColorRef(skin.Colours.Hilight));
        colour = ToColorRef(skin.Colours.HilightText);
    }
    SelectGuard font(dc, Font());
    InflateRect(&area, -2, 0);
    DrawTextIn(dc, text, area, kTextFormat | DT_LEFT, colour);
}

void TSkinTab::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_MOUSEMOVE: {
            TCHITTESTINFO hit{};
            hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const int over = static_cast<int>(
                SendMessageA(hwnd_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
            if (over != hot_) {
                hot_ = over;
                Invalidate();
            }
            TrackLeave();
            break;
        }
        case WM_MOUSELEAVE:
            hot_ = -1;
            Invalidate();
            break;
        case TCM_SETCURSEL:
        case TCM_SETCURFOCUS:
        case TCM_INSERTITEMA:
        case TCM_INSERTITEMW:
        case TCM_DELETEITEM:
        case TCM_SETITEMA:
        case TCM_SETITEMW:
        case WM_LBUTTONDOWN:
        case WM_KEYDOWN:
            Invalidate();
            break;
        default:
            TSkinPaintedControl::PostHandler(message, wParam, lParam, result);
            break;
    }
}

// The page border first, then the tabs over it; the page area itself is
// left to the pages.
void TSkinTab::Paint(HDC dc, const RECT& client) {
    const TSkinContent& skin = Skin();
    FillSolid(dc, client, FaceColour());
    const auto* tabs = dynamic_cast<const TDataSkinBorder*>(skin.Find("Tabs"));
    if (!tabs || tabs->Map.Empty()) return;
    RECT page = client;
    SendMessageA(hwnd_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, 4, 4);
    if (!tabs->Map2.Empty()) {
        SliceStyle border;
        border.margins = {4, 5, 4, 4};
        if (tabs->Style != 0) {
            if (const TDataSkinObject* pane = skin.Find("Tab.Pane"))
                border.margins = {pane->LeftWidth, pane->TopHeight, pane->RightWidth,
                                  pane->BottomHeight};
        }
        border.skipCentre = true;
        DrawNineSlice(dc, page, tabs->Map2, border);
    }
    SelectGuard font(dc, Font());
    const int count = static_cast<int>(SendMessageA(hwnd_, TCM_GETITEMCOUNT, 0, 0));
    const int focus = static_cast<int>(SendMessageA(hwnd_, TCM_GETCURFOCUS, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT r{};
        SendMessageA(hwnd_, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
        const bool current = i == focus;
        if (current) InflateRect(&r, 2, 2);
        const int frame = current ? (i == hot_ ? 5 : 2) : (Disabled() ? 4 : i == hot_ ? 3 : 1);
        DrawSkinObject(dc, r, *tabs, frame);
        wchar_t text[128] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 127;
        SendMessageW(hwnd_, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        const TColor colour = current ? tabs->MouseOverColour2 : tabs->NormalColour2;
        DrawTextIn(dc, text, r, kTextFormat | DT_CENTER, ToColorRef(colour));
    }
}

}  // namespace kestrone::ui
