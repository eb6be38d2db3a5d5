#include "ui/popup/win32/msn_popup_window.h"

#include <shellapi.h>
#include <windowsx.h>

#include "ui/popup/popup_window_style.h"

namespace kestrone::ui {
namespace {

constexpr const char* kPopupWindowClass = "TfrmMSNPopUp";
constexpr UINT kReleaseMessage = WM_APP + 0x4D;  // frees the window once its click is over
constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT_PTR kExitTimer = 2;
constexpr UINT_PTR kScrollDownTimer = 3;
constexpr int kStepMilliseconds = 25;

PopupWindowStyle RunningWindowsStyle() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version)) return {};
    return PopupStyleFor(version.dwPlatformId == VER_PLATFORM_WIN32_NT, version.dwMajorVersion,
                         version.dwMinorVersion);
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

bool Inside(const PopupBounds& b, POINT p) {
    return p.x >= b.left && p.x < b.left + b.width && p.y >= b.top && p.y < b.top + b.height;
}

}  // namespace

TfrmMSNPopUp::TfrmMSNPopUp(TMSNPopUp& component, const PopupAdmission& admission,
                           const PopupDesktop& desktop)
    : component_(&component),
      workArea_(desktop.workArea),
      width_(component.Width),
      height_(component.Height),
      text_(component.WideText.empty() ? Widen(component.Text) : component.WideText),
      title_(Widen(component.Title)),
      url_(component.URL),
      timeOut_(component.TimeOut),
      speed_(ClampScrollSpeed(component.ScrollSpeed)),
      iconLeft_(component.IconLeft),
      iconTop_(component.IconTop),
      options_(component.Options),
      alignment_(component.TextAlignment),
      textCursor_(component.TextCursor),
      color1_(component.GradientColor1),
      color2_(component.GradientColor2),
      orientation_(component.GradientOrientation),
      drawMethod_(component.BackgroundDrawMethod) {
    PopupPos = admission.popupPos;
    TaskbarEdge = desktop.edge;
    placed_ = admission.final.has_value();
    final_ = admission.final.value_or(PopupBounds{0, 0, width_, height_});
    bounds_ = final_;
    if (component.IconBitmap())
        iconBitmap_.reset(static_cast<HBITMAP>(
            CopyImage(component.IconBitmap(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    CreateFonts(component);
    CreateWindowHandle();
}

TfrmMSNPopUp::~TfrmMSNPopUp() = default;

void TfrmMSNPopUp::CreateWindowHandle() {
    static const PopupWindowStyle style = RunningWindowsStyle();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    if (!GetClassInfoA(instance, kPopupWindowClass, &windowClass)) {
        windowClass = WNDCLASSA{};
        windowClass.style = style.dropShadow ? CS_DROPSHADOW : 0;
        windowClass.lpfnWndProc = &TfrmMSNPopUp::WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kPopupWindowClass;
        RegisterClassA(&windowClass);
    }
    DWORD exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    if (style.noActivate) exStyle |= WS_EX_NOACTIVATE;
    // No caption and no owner: the popup hangs off the desktop.
    CreateWindowExA(exStyle, kPopupWindowClass, "", WS_POPUP, final_.left,
                    final_.top, width_, height_, nullptr, nullptr, instance, this);
    // The window carries its text as its name, for screen readers and tools
    // that list windows; set wide so no code page mangles it.
    if (window_) DefWindowProcW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
}

void TfrmMSNPopUp::Show() {
    FreeOnClose = true;
    if (!window_) {  // the system refused the window: nothing to show or free later
        Close();
        return;
    }
    PaintSurface();
    LayoutText();
    if (options_ & msnAllowScroll) {
        bounds_ = CollapsedBounds(TaskbarEdge, final_);
        // Without a known taskbar there is nothing to grow from: the popup
        // simply stays at full size until it is clicked.
        if (placed_) StartTimer(kScrollTimer, kStepMilliseconds);
    } else {
        StartTimer(kExitTimer, timeOut_ * 1000);
    }
    SetWindowPos(window_, HWND_TOPMOST, bounds_.left, bounds_.top, bounds_.width, bounds_.height,
                 SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void TfrmMSNPopUp::Close() {
    if (closing_) return;
    if (!FreeOnClose) {
        if (window_) ShowWindow(window_, SW_HIDE);
        return;
    }
    closing_ = true;
    if (component_) component_->PopupClosed(this);
    if (!window_) {
        if (component_) component_->PopupDestroyed(this);
        delete this;
        return;
    }
    StopTimer(kScrollTimer);
    StopTimer(kExitTimer);
    StopTimer(kScrollDownTimer);
    ShowWindow(window_, SW_HIDE);
    PostMessageA(window_, kReleaseMessage, 0, 0);
}

// --- timers ----------------------------------------------------------------

void TfrmMSNPopUp::StartTimer(UINT_PTR id, int milliseconds) {
    // A time-out of 0 or less never fires, as a disabled timer would not.
    if (milliseconds > 0) SetTimer(window_, id, static_cast<UINT>(milliseconds), nullptr);
}

void TfrmMSNPopUp::StopTimer(UINT_PTR id) { KillTimer(window_, id); }

void TfrmMSNPopUp::MoveTo(const PopupBounds& bounds) {
    bounds_ = bounds;
    SetWindowPos(window_, HWND_TOPMOST, bounds.left, bounds.top, bounds.width, bounds.height,
                 SWP_NOACTIVATE);
}

void TfrmMSNPopUp::tmrScrollTimer() {
    const PopupStep step = GrowStep(TaskbarEdge, bounds_, final_, speed_);
    MoveTo(step.bounds);
    if (step.finished) {
        StopTimer(kScrollTimer);
        StartTimer(kExitTimer, timeOut_ * 1000);
    }
}

void TfrmMSNPopUp::tmrExitTimer() {
    StopTimer(kExitTimer);
    // A popup that was never placed cannot shrink towards a taskbar: it stays
    // until it is clicked, so no step timer needs to run for it.
    if (placed_) StartTimer(kScrollDownTimer, kStepMilliseconds);
}

void TfrmMSNPopUp::tmrscrollDownTimer() {
    const PopupStep step = ShrinkStep(TaskbarEdge, bounds_, speed_);
    if (step.finished) {
        StopTimer(kScrollDownTimer);
        Close();
    } else if (step.bounds != bounds_) {
        MoveTo(step.bounds);
    }
}

// --- mouse -----------------------------------------------------------------

void TfrmMSNPopUp::lblTextMouseEnter() {
    hover_ = true;
    if (!(options_ & msnAllowHyperlink)) return;
    LayoutText();
    InvalidateRect(window_, nullptr, FALSE);
}

void TfrmMSNPopUp::lblTextMouseLeave() {
    hover_ = false;
    if (!(options_ & msnAllowHyperlink)) return;
    LayoutText();
    InvalidateRect(window_, nullptr, FALSE);
}

void TfrmMSNPopUp::lblTextClick() {
    FreeOnClose = false;
    if (options_ & msnAllowHyperlink) {
        if (component_) Raise(component_->OnURLClick, this, url_);
        if (options_ & msnAutoOpenURL)
            ShellExecuteA(nullptr, nullptr, url_.c_str(), nullptr, nullptr, SW_SHOWDEFAULT);
    } else if (component_) {
        Raise(component_->OnClick, this);
    }
    FreeOnClose = true;
    Close();
}

void TfrmMSNPopUp::RaiseComponentClick() {
    if (component_ && component_->OnClick) {
        FreeOnClose = false;
        component_->OnClick(component_);
        FreeOnClose = true;
    }
    Close();
}

void TfrmMSNPopUp::lblTextMouseUp(TMouseButton button) {
    if (button == TMouseButton::mbRight) RaiseComponentClick();
}

void TfrmMSNPopUp::lblTitleMouseUp() { RaiseComponentClick(); }
void TfrmMSNPopUp::imgIconMouseUp() { RaiseComponentClick(); }
void TfrmMSNPopUp::imgGradientMouseUp() { RaiseComponentClick(); }

void TfrmMSNPopUp::MouseMoved(POINT point) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    const bool overText = Inside(textBounds_, point);
    if (overText && !hover_) lblTextMouseEnter();
    if (!overText && hover_) lblTextMouseLeave();
}

void TfrmMSNPopUp::MouseReleased(POINT point, TMouseButton button) {
    // As with captured controls, the part that was pressed gets the release.
    if (pressedOnText_) {
        if (button == TMouseButton::mbLeft) {
            if (Inside(textBounds_, point)) lblTextClick();
        } else {
            lblTextMouseUp(button);
        }
    } else if (Inside(titleBounds_, point)) {
        lblTitleMouseUp();
    } else if (iconBitmap_ && Inside(IconBounds(), point)) {
        imgIconMouseUp();
    } else {
        imgGradientMouseUp();
    }
}

// --- window procedure ------------------------------------------------------

LRESULT CALLBACK TfrmMSNPopUp::WindowProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* popup = static_cast<TfrmMSNPopUp*>(
            reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        popup->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(popup));
    }
    auto* popup = reinterpret_cast<TfrmMSNPopUp*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!popup) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        popup->window_ = nullptr;
        if (popup->component_) popup->component_->PopupDestroyed(popup);
        delete popup;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return popup->HandleMessage(message, wParam, lParam);
}

LRESULT TfrmMSNPopUp::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_TIMER:
            if (wParam == kScrollTimer) tmrScrollTimer();
            if (wParam == kExitTimer) tmrExitTimer();
            if (wParam == kScrollDownTimer) tmrscrollDownTimer();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window_, &paint);
            Paint(dc);
            EndPaint(window_, &paint);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT cursor;
                GetCursorPos(&cursor);
                ScreenToClient(window_, &cursor);
                const bool overText = Inside(textBounds_, cursor) && textCursor_;
                SetCursor(LoadCursor(nullptr, overText ? textCursor_ : IDC_ARROW));
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE: MouseMoved(point); return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            if (hover_) lblTextMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            pressedOnText_ = Inside(textBounds_, point);
            SetCapture(window_);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (GetCapture() == window_) ReleaseCapture();
            MouseReleased(point, message == WM_LBUTTONUP   ? TMouseButton::mbLeft
                                 : message == WM_RBUTTONUP ? TMouseButton::mbRight
                                                           : TMouseButton::mbMiddle);
            return 0;
        case WM_CLOSE: Close(); return 0;  // closing from outside counts the popup out too
        case kReleaseMessage: DestroyWindow(window_); return 0;
        default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace kestrone::ui
