#include "ui/skin/win32/skin_buttons.h"

// The common controls need the Windows types first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <windowsx.h>

#include <algorithm>

#include "core/text.h"
#include "ui/skin/control_frames.h"
#include "ui/skin/win32/button_shield.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_form.h"

namespace kestrone::ui {

namespace {

bool InsideClient(HWND window, LPARAM lParam) {
    RECT client;
    GetClientRect(window, &client);
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return PtInRect(&client, p) != FALSE;
}

std::wstring JoinLines(const std::wstring& caption) {
    std::wstring out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'|' && i + 1 < caption.size() && caption[i + 1] == L'|') {
            out += L'\n';
            ++i;
        } else {
            out += caption[i];
        }
    }
    return out;
}

// Draws text centred (vertically too) in `area`; returns where it went.
RECT DrawCentred(HDC dc, const std::wstring& text, const RECT& area, UINT horizontal,
                 COLORREF colour, bool multiLine) {
    RECT measured = area;
    const UINT base = (multiLine ? DT_WORDBREAK : DT_SINGLELINE) | horizontal;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured, base | DT_CALCRECT);
    const int height = measured.bottom - measured.top;
    const int width =
        static_cast<int>(std::min(measured.right - measured.left, area.right - area.left));
    RECT place = area;
    place.top = area.top + (area.bottom - area.top - height) / 2;
    place.bottom = place.top + height;
    DrawTextIn(dc, text, place, base, colour);
    RECT used = place;
    if (horizontal == DT_CENTER) used.left = area.left + (area.right - area.left - width) / 2;
    if (horizontal == DT_RIGHT) used.left = area.right - width;
    used.right = used.left + width;
    return used;
}

}  // namespace

bool TSkinButton::PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case kSetShieldMessage:
            // Kept for our drawing, and passed on: the system's button draws
            // it when the skin is switched off. The flag is in lParam
            // (wParam must be zero).
            RememberButtonShield(hwnd_, lParam != 0);
            break;
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
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (GetFocus() != hwnd_) SetFocus(hwnd_);
            SetState(kPressedBit, true);
            SetCapture(hwnd_);
            RepaintNow();
            result = 0;
            return true;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd_ || Pressed()) {
                const bool clicked = Pressed() && InsideClient(hwnd_, lParam);
                SetState(kPressedBit, false);
                if (GetCapture() == hwnd_) ReleaseCapture();
                SetState(kHoverBit, CursorOver());
                RepaintNow();
                if (clicked) Click();
                result = 0;
                return true;
            }
            break;
        case WM_MOUSEMOVE:
            if (GetCapture() == hwnd_) {
                // Held down: pressed while over the button, raised outside it.
                const bool inside = InsideClient(hwnd_, lParam);
                if (SetState(kPressedBit | kHoverBit, inside)) RepaintNow();
                result = 0;
                return true;
            }
            break;
        default:
            break;
    }
    return TSkinControl::PreFilter(message, wParam, lParam, result);
}

void TSkinButton::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (wParam == VK_SPACE && SetState(kPressedBit, message == WM_KEYDOWN)) RepaintNow();
            break;
        case WM_MOUSEMOVE:
            if (SetState(kHoverBit, true)) RepaintNow();
            TrackLeave();
            break;
        case WM_MOUSELEAVE:
            if (GetCapture() != hwnd_ && SetState(kHoverBit | kPressedBit, false)) RepaintNow();
            break;
        case WM_CAPTURECHANGED:
            if (SetState(kPressedBit, false)) RepaintNow();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case WM_UPDATEUISTATE:
        case kSetShieldMessage:
            RepaintNow();  // the system button may have drawn itself meanwhile
            break;
        default:
            TSkinControl::PostHandler(message, wParam, lParam, result);
            break;
    }
}

void TSkinButton::Click() {
    char name[32] = {};
    GetClassNameA(hwnd_, name, sizeof name);
    const int id = SameText(name, "tbutton") ? 0 : GetDlgCtrlID(hwnd_);
    PostMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd_));
}

void TSkinButton::Paint(HDC dc, const RECT& client) {
    const TSkinContent& skin = Skin();
    FillSolid(dc, client, FaceColour());
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE));
    const bool isDefault = (style & 0xF) == BS_DEFPUSHBUTTON;
    const int frame = PushButtonFrame(Disabled(), Pressed(), Hover(), Focused() || isDefault);
    DrawSkinObject(dc, client, skin.Button, frame);

    const TDataSkinButton& b = skin.Button;
    COLORREF colour = ToColorRef(skin.Colours.ButtonText);
    switch (PushButtonTextColour(frame)) {
        case ButtonTextColour::Normal:
            if (b.HasNormalColour2) colour = ToColorRef(b.NormalColour2);
            break;
        case ButtonTextColour::MouseOver:
            if (b.HasMouseOverColour2) colour = ToColorRef(b.MouseOverColour2);
            break;
        case ButtonTextColour::Pressed:
            if (b.HasPressedColour2) colour = ToColorRef(b.PressedColour2);
            break;
        case ButtonTextColour::Disabled:
            colour = GetSysColor(COLOR_BTNSHADOW);
            break;
    }
    RECT area = client;
    InflateRect(&area, -2, -2);
    area = PaintGlyph(dc, area);
    SelectGuard font(dc, Font());
    const std::wstring text = JoinLines(WindowTextOf(hwnd_));
    const bool multiLine = text.find(L'\n') != std::wstring::npos || (style & BS_MULTILINE);
    if (ButtonShield(hwnd_))
        area = DrawShieldBeforeCaption(dc, area, text, multiLine ? DT_WORDBREAK : DT_SINGLELINE,
                                       Disabled());
    RECT used = DrawCentred(dc, text, area, DT_CENTER, colour, multiLine);
    if (Focused() && !Data().Options.Has(xoNoFocusRect) && !text.empty()) {
        InflateRect(&used, 2, 2);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &used);
    }
}

RECT TSkinBitButton::PaintGlyph(HDC dc, const RECT& area) {
    BUTTON_IMAGELIST images{};
    if (!SendMessageA(hwnd_, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) ||
        !images.himl)
        return area;
    int width = 0, height = 0;
    ImageList_GetIconSize(images.himl, &width, &height);
    RECT rest = area;
    const int y = area.top + (area.bottom - area.top - height) / 2;
    int x = area.left + images.margin.left;
    if (images.uAlign == BUTTON_IMAGELIST_ALIGN_RIGHT) {
        x = area.right - images.margin.right - width;
        rest.right = x - images.margin.left;
    } else {
        rest.left = x + width + images.margin.right;
    }
    ImageList_Draw(images.himl, 0, dc, x, y, Disabled() ? ILD_BLEND50 : ILD_NORMAL);
    return rest;
}

bool TSkinGlyphButton::PreFilter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
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

void TSkinGlyphButton::PostHandler(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (SetState(kHoverBit, true)) RepaintNow();
            TrackLeave();
            break;
        case WM_MOUSELEAVE:
            SetState(kHoverBit | kPressedBit, false);
            RepaintNow();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case BM_SETCHECK:
        case BM_SETSTATE:
        case BM_CLICK:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
            RepaintNow();  // the button has drawn itself: draw the skin over it
            break;
        default:
            TSkinControl::PostHandler(message, wParam, lParam, result);
            break;
    }
}

bool TSkinGlyphButton::Transparent() const {
    return Data().Options.Has(xoTransparent) || SkinTagOf(hwnd_) == kTransparentTag;
}

void TSkinGlyphButton::Paint(HDC dc, const RECT& client) {
    if (Transparent()) {
        HDC screen = GetDC(hwnd_);
        BitBlt(dc, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
        ReleaseDC(hwnd_, screen);
    } else {
        FillSolid(dc, client, FaceColour());
    }
    const SkinBitmap& glyphs = Glyphs();
    const int frames = std::max(GlyphFrames(), 1);
    const int width = SkinScaled(glyphs.width / frames), height = SkinScaled(glyphs.height);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE));
    const bool glyphRight = (style & BS_LEFTTEXT) != 0;
    const int x = glyphRight ? client.right - width : 0;
    DrawFrameImage(dc, x, (client.bottom - height) / 2, glyphs, frames, GlyphFrame(), false, true);

    RECT area = client;
    if (glyphRight)
        area.right = x - SkinScaled(2);
    else
        area.left = x + width + SkinScaled(2);
    SelectGuard font(dc, Font());
    const COLORREF colour =
        Disabled() ? GetSysColor(COLOR_BTNSHADOW) : ToColorRef(Skin().Colours.WindowText);
    const std::wstring text = WindowTextOf(hwnd_);
    RECT used = DrawCentred(dc, text, area, glyphRight ? DT_RIGHT : DT_LEFT, colour,
                            (style & BS_MULTILINE) != 0);
    if (Focused() && !Data().Options.Has(xoNoFocusRect) && !text.empty()) {
        InflateRect(&used, 1, 1);
        IntersectRect(&used, &used, &client);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &used);
    }
}

const SkinBitmap& TSkinCheckBox::Glyphs() const {
    return Skin().Button.CheckMap;
}
int TSkinCheckBox::GlyphFrames() const {
    return Skin().Button.CheckFrame;
}

int TSkinCheckBox::GlyphFrame() const {
    const LRESULT check = SendMessageA(hwnd_, BM_GETCHECK, 0, 0);
    const CheckState state = check == BST_CHECKED         ? CheckState::Checked
                             : check == BST_INDETERMINATE ? CheckState::Indeterminate
                                                          : CheckState::Unchecked;
    const bool pushed = (SendMessageA(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    return CheckBoxFrame(state, Disabled(), Hover(), pushed, GlyphFrames());
}

const SkinBitmap& TSkinRadioButton::Glyphs() const {
    return Skin().Button.RadioMap;
}
int TSkinRadioButton::GlyphFrames() const {
    return Skin().Button.RadioFrame;
}

int TSkinRadioButton::GlyphFrame() const {
    const bool checked = SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
    const bool pushed = (SendMessageA(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    return RadioButtonFrame(checked, Disabled(), Hover(), pushed, GlyphFrames());
}

}  // namespace kestrone::ui
