#include "ui/skin/win32/skin_control.h"

#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/win_skin_form.h"

namespace kestrone::ui {

TSkinControl::TSkinControl(HWND control, TWinSkinForm& form) : hwnd_(control), form_(form) {}

TSkinControl::~TSkinControl() {
    if (slot_) Detach();
}

bool TSkinControl::Attach(bool repaint) {
    slot_ = InstallSubclass(hwnd_, this, &TSkinControl::HandleMessage);
    if (!slot_) return false;
    OnAttached();
    if (repaint) RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    return true;
}

void TSkinControl::Detach() {
    if (!slot_) return;
    on_ = false;
    OnDetached();
    RemoveSubclass(hwnd_, slot_, false);
    slot_ = nullptr;
    dead_ = true;
    if (IsWindow(hwnd_))
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

LRESULT TSkinControl::HandleMessage(void* self, HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* control = static_cast<TSkinControl*>(self);
    ++control->depth_;
    const LRESULT result = control->Dispatch(message, wParam, lParam);
    --control->depth_;
    return result;
}

LRESULT TSkinControl::Previous(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!slot_) return DefWindowProcA(hwnd_, message, wParam, lParam);
    return CallPrevious(*slot_, hwnd_, message, wParam, lParam);
}

LRESULT TSkinControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == skinmsg::kControlSkinning) {
        on_ = wParam > 0;
        RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        // The window goes: the skin lets go and the form forgets it.
        const SubclassSlot slot = *slot_;
        on_ = false;
        dead_ = true;
        RemoveSubclass(hwnd_, slot_, true);
        slot_ = nullptr;
        const LRESULT result = CallPrevious(slot, hwnd_, message, wParam, lParam);
        form_.ControlDestroyed(hwnd_);
        return result;
    }
    if (!on_ || !Form().Skin()) return Previous(message, wParam, lParam);
    LRESULT result = 0;
    if (PreFilter(message, wParam, lParam, result)) return result;
    result = Previous(message, wParam, lParam);
    if (slot_) PostHandler(message, wParam, lParam, result);
    return result;
}

bool TSkinControl::PreFilter(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == skinmsg::kQuery) {
        result = 1;
        return true;
    }
    return false;
}

void TSkinControl::PostHandler(UINT message, WPARAM, LPARAM, LRESULT&) {
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
            Invalidate();
            break;
        default:
            break;
    }
}

void TSkinControl::Invalidate() {
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void TSkinControl::RepaintNow() {
    HDC dc = GetDC(hwnd_);
    if (!dc) return;
    PaintComposed(dc);
    ReleaseDC(hwnd_, dc);
}

void TSkinControl::PaintMessage() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    if (dc) PaintComposed(dc);
    EndPaint(hwnd_, &paint);
}

void TSkinControl::PaintComposed(HDC target) {
    RECT client;
    GetClientRect(hwnd_, &client);
    OffscreenCanvas canvas(target, client.right, client.bottom);
    if (!canvas.Valid()) return;
    try {
        Paint(canvas.dc(), client);
    } catch (...) {
        return;  // nothing half-drawn reaches the screen
    }
    canvas.CopyTo(target, 0, 0);
}

bool TSkinControl::SetState(uint8_t bits, bool on) {
    const uint8_t was = state_;
    state_ = on ? static_cast<uint8_t>(state_ | bits) : static_cast<uint8_t>(state_ & ~bits);
    return was != state_;
}

void TSkinControl::TrackLeave() {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    TrackMouseEvent(&track);
}

bool TSkinControl::CursorOver() const {
    POINT cursor;
    GetCursorPos(&cursor);
    return WindowFromPoint(cursor) == hwnd_;
}

const TSkinContent& TSkinControl::Skin() const {
    return *form_.Skin();
}
TSkinData& TSkinControl::Data() const {
    return form_.Data();
}
COLORREF TSkinControl::FaceColour() const {
    return ToColorRef(Skin().Colours.ButtonFace);
}
HBRUSH TSkinControl::FaceBrush() const {
    return form_.FaceBrush();
}

HFONT TSkinControl::Font() const {
    auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool TSkinControl::Disabled() const {
    return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_DISABLED) != 0;
}

}  // namespace kestrone::ui
