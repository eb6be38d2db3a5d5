// The window procedure of a skinned window: the messages it answers itself,
// those it passes on first, and the non-client mouse (title buttons, menu bar).
#include <windowsx.h>

#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_form.h"
#include "ui/skin/win32/win_skin_menu.h"
#include "ui/skin/win32/win_skin_pop_menu.h"

namespace kestrone::ui {

namespace {

constexpr UINT kThemeCaptionMessage = 0xAE;
constexpr UINT kMenuChanged = 0xB015;  // CM_MENUCHANGED

// Counts a call of the window's own procedure while it runs.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    ~DepthGuard() { --depth_; }

  private:
    int& depth_;
};

}  // namespace

LRESULT TWinSkinForm::HandleMessage(void* self, HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = static_cast<TWinSkinForm*>(self);
    DepthGuard depth(form->depth_);
    return form->Dispatch(message, wParam, lParam);
}

LRESULT TWinSkinForm::Previous(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!slot_) return DefWindowProcA(hwnd_, message, wParam, lParam);
    return CallPrevious(*slot_, hwnd_, message, wParam, lParam);
}

// The engine's own messages, answered in every state.
bool TWinSkinForm::AnswerOwnMessage(UINT message, WPARAM wParam, LRESULT& result) {
    result = 0;
    switch (message) {
        case skinmsg::kQuery:
            result = 1;
            return true;
        case skinmsg::kStartSkinning:
            Start();
            return true;
        case skinmsg::kRepaintFrame:
            if (SkinsFrame()) PaintFrame();
            return true;
        case kSkinNewChild:
            AttachNewChild(reinterpret_cast<HWND>(wParam));
            return true;
        case kThemeCaptionMessage:
            return true;
        case WM_TIMER:
            if (wParam != kHoverTimerId) return false;
            OnHoverTimer();
            return true;
        default:
            return false;
    }
}

LRESULT TWinSkinForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT own = 0;
    if (AnswerOwnMessage(message, wParam, own)) return own;
    const bool running =
        life_ == FormLife::Running || life_ == FormLife::Refreshing || life_ == FormLife::Resizing;
    switch (message) {
        case WM_NCDESTROY:
            return OnNcDestroy(wParam, lParam);
        case WM_NCPAINT:
            if (!running) return 0;
            break;
        case WM_ERASEBKGND:
            if (kind_ == FrameKind::NoCaption) break;
            EraseBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_NCACTIVATE:
            if (!running && role_ != FormRole::MdiChild) {
                active_ = wParam != FALSE;
                return TRUE;
            }
            break;
        case WM_INITMENUPOPUP: {
            const int kind = HIWORD(lParam) ? 2 : 1;
            manager_.SetMenuKind(kind);
            const LRESULT result = Previous(message, wParam, lParam);
            // The window may have added items: the skin draws them too.
            if (TWinSkinPopMenu::SkinsMenuKind(data_, kind))
                TWinSkinPopMenu::PrepareItems(reinterpret_cast<HMENU>(wParam));
            return result;
        }
        case WM_CTLCOLORBTN: {
            const LRESULT result = Previous(message, wParam, lParam);
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return result;
        }
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(wParam, lParam);
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            if (TWinSkinPopMenu::HandleOwnerMessage(hwnd_, message, lParam)) return TRUE;
            break;
        default:
            break;
    }
    if (!data_.SkinControls.Has(xcMainMenu) || kind_ == FrameKind::NoCaption) {
        return Previous(message, wParam, lParam);
    }
    return DispatchFrame(message, wParam, lParam);
}

LRESULT TWinSkinForm::DispatchFrame(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCALCSIZE:
            return OnNcCalcSize(wParam, lParam);
        case WM_NCHITTEST:
            return OnNcHitTest(lParam);
        case WM_NCPAINT:
            if (!SkinsFrame()) return Previous(message, wParam, lParam);
            PaintFrame();
            return 0;
        case WM_ACTIVATE:
            active_ = LOWORD(wParam) != WA_INACTIVE;
            return Previous(message, wParam, lParam);
        case WM_NCACTIVATE:
            return OnNcActivate(wParam, lParam);
        case WM_SIZE:
        case WM_WINDOWPOSCHANGED:
        case WM_SETTEXT:
        case WM_SETICON:
        case WM_SYSCOMMAND:
        case WM_EXITMENULOOP: {
            // The system may draw its own caption while it handles these.
            const LRESULT result = Previous(message, wParam, lParam);
            if (life_ == FormLife::Dead) return result;
            UpdateState();
            if (SkinsFrame() && IsWindowVisible(hwnd_)) PaintFrame();
            return result;
        }
        case WM_NCMOUSEMOVE:
            return OnNcMouseMove(message, wParam, lParam);
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
            return OnNcButtonDown(message, wParam, lParam);
        case WM_NCLBUTTONUP:
            return OnNcButtonUp(message, wParam, lParam);
        case kMenuChanged:
            if (data_.MenuUpdate && !menuBar_) {
                if (HMENU menu = GetMenu(hwnd_)) {
                    ownMenu_ = menu;
                    menuBar_ = std::make_unique<TWinSkinMenu>(*this, menu);
                    SetMenu(hwnd_, nullptr);
                    Refresh();
                }
            }
            return Previous(message, wParam, lParam);
        default:
            return Previous(message, wParam, lParam);
    }
}

LRESULT TWinSkinForm::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    life_ = FormLife::Detaching;
    DetachControls();
    if (hoverTimer_) KillTimer(hwnd_, kHoverTimerId);
    hoverTimer_ = false;
    const SubclassSlot slot = *slot_;
    RemoveSubclass(hwnd_, slot_, true);
    slot_ = nullptr;
    // The window would have destroyed its menu with itself.
    if (ownMenu_ && IsMenu(ownMenu_)) DestroyMenu(ownMenu_);
    ownMenu_ = nullptr;
    menuBar_.reset();
    life_ = FormLife::Dead;
    const HWND window = hwnd_;
    const LRESULT result = CallPrevious(slot, window, WM_NCDESTROY, wParam, lParam);
    manager_.FormDestroyed(window);
    return result;
}

LRESULT TWinSkinForm::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    // The window procedure turns the window rectangle into its own client
    // rectangle; the skin starts from the window rectangle again.
    const RECT w = wParam ? params->rgrc[0] : RECT{};
    const LRESULT result = Previous(WM_NCCALCSIZE, wParam, lParam);
    if (!wParam || !SkinsFrame()) return result;
    const Rect client = SkinnedClientRect({w.left, w.top, w.right, w.bottom}, sizes_);
    const RECT r{client.left, client.top, client.right, client.bottom};
    params->rgrc[0] = r;
    params->rgrc[1] = r;
    params->rgrc[2] = r;
    return WVR_VALIDRECTS;
}

POINT TWinSkinForm::ToWindow(LPARAM screenPoint) const {
    RECT box;
    GetWindowRect(hwnd_, &box);
    return {GET_X_LPARAM(screenPoint) - box.left, GET_Y_LPARAM(screenPoint) - box.top};
}

LRESULT TWinSkinForm::OnNcHitTest(LPARAM lParam) {
    const LRESULT previous = Previous(WM_NCHITTEST, 0, lParam);
    if (!SkinsFrame()) return previous;
    const POINT p = ToWindow(lParam);
    if (ButtonAt(p) >= 0) return HTCAPTION;  // our buttons answer on the press
    return SkinnedHitTest(static_cast<int>(previous), p.x, p.y, sizes_, menuBar_ != nullptr);
}

LRESULT TWinSkinForm::OnNcActivate(WPARAM wParam, LPARAM) {
    active_ = wParam != FALSE;
    if (SkinsFrame() && IsWindowVisible(hwnd_)) PaintFrame();
    if (menuBar_) menuBar_->CancelHover();
    return TRUE;  // the system's own caption is not drawn
}

int TWinSkinForm::ButtonAt(POINT p) const {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const TWinSysButton& b = buttons_[i];
        if (b.shown && PtInRect(&b.rect, p)) return static_cast<int>(i);
    }
    return -1;
}

LRESULT TWinSkinForm::OnNcMouseMove(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SkinsFrame()) return Previous(message, wParam, lParam);
    const POINT p = ToWindow(lParam);
    const int over = ButtonAt(p);
    bool changed = false;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const bool hover = static_cast<int>(i) == over;
        const bool pressed =
            hover && pressedButton_ == static_cast<int>(i) && (GetKeyState(VK_LBUTTON) < 0);
        if (buttons_[i].hover != hover || buttons_[i].pressed != pressed) changed = true;
        buttons_[i].hover = hover;
        buttons_[i].pressed = pressed;
    }
    if (menuBar_ && menuBar_->MouseMove(p)) changed = true;
    if (changed) PaintFrame();
    // Something is under the mouse: a check clears it once the mouse is gone.
    if (changed && !hoverTimer_) {
        SetTimer(hwnd_, kHoverTimerId, kHoverCheckMs, nullptr);
        hoverTimer_ = true;
    }
    if (over >= 0) return 0;
    return Previous(message, wParam, lParam);
}

LRESULT TWinSkinForm::OnNcButtonDown(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SkinsFrame()) return Previous(message, wParam, lParam);
    const POINT p = ToWindow(lParam);
    const int index = ButtonAt(p);
    if (message == WM_NCLBUTTONDOWN && index >= 0) {
        if (!active_ || GetForegroundWindow() != hwnd_) SetForegroundWindow(hwnd_);
        pressedButton_ = index;
        buttons_[index].pressed = buttons_[index].hover = true;
        PaintFrame();
        return 0;
    }
    if (index >= 0) return 0;  // double clicks and right clicks on a button do nothing
    if (message == WM_NCLBUTTONDOWN && menuBar_ && menuBar_->ItemAt(p) >= 0) {
        if (GetForegroundWindow() != hwnd_) SetForegroundWindow(hwnd_);
        menuBar_->Open(menuBar_->ItemAt(p));
        return 0;
    }
    // A maximised window cannot be dragged by its caption.
    if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION && state_ == WindowState::Maximised &&
        active_)
        return Previous(message, HTMENU, lParam);
    return Previous(message, wParam, lParam);
}

LRESULT TWinSkinForm::OnNcButtonUp(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!SkinsFrame() || pressedButton_ < 0) return Previous(message, wParam, lParam);
    const int pressed = pressedButton_;
    pressedButton_ = -1;
    for (TWinSysButton& b : buttons_) b.pressed = false;
    const POINT p = ToWindow(lParam);
    PaintFrame();
    if (ButtonAt(p) != pressed) return Previous(message, wParam, lParam);
    RunTitleCommand(buttons_[pressed], {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return 0;
}

void TWinSkinForm::RunTitleCommand(const TWinSysButton& button, POINT screen) {
    const int action = button.data->Action;
    UpdateState();
    HWND child =
        role_ == FormRole::MdiParent
            ? reinterpret_cast<HWND>(SendMessageA(
                  FindWindowExA(hwnd_, nullptr, "MDIClient", nullptr), WM_MDIGETACTIVE, 0, 0))
            : nullptr;
    switch (TitleButtonCommand(action, state_, button.enabled)) {
        case TitleCommand::Close:
            PostMessageA(hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case TitleCommand::Maximise:
            PostMessageA(hwnd_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            break;
        case TitleCommand::Minimise:
            PostMessageA(hwnd_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        case TitleCommand::Restore:
            PostMessageA(hwnd_, WM_SYSCOMMAND, SC_RESTORE, 0);
            break;
        case TitleCommand::SystemMenu: {
            HMENU menu = GetSystemMenu(hwnd_, FALSE);
            manager_.SetMenuKind(2);
            const UINT command = static_cast<UINT>(TrackPopupMenu(
                menu, TPM_RETURNCMD | TPM_LEFTBUTTON, screen.x, screen.y, 0, hwnd_, nullptr));
            if (command)
                PostMessageA(hwnd_, WM_SYSCOMMAND, command, MAKELPARAM(screen.x, screen.y));
            break;
        }
        case TitleCommand::ChildMinimise:
            if (child) SendMessageA(child, WM_SYSCOMMAND, SC_MINIMIZE, 0);
            break;
        case TitleCommand::ChildRestore:
            if (child) SendMessageA(child, WM_SYSCOMMAND, SC_RESTORE, 0);
            break;
        case TitleCommand::ChildClose:
            if (child) SendMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case TitleCommand::PostAction:
            PostMessageA(hwnd_, skinmsg::kTitleAction, static_cast<WPARAM>(action), 0);
            break;
        case TitleCommand::None:
            break;
    }
}

// The cursor left a title button without a message telling so.
void TWinSkinForm::OnHoverTimer() {
    if (!SkinsFrame()) {
        KillTimer(hwnd_, kHoverTimerId);
        hoverTimer_ = false;
        return;
    }
    POINT cursor;
    GetCursorPos(&cursor);
    RECT box;
    GetWindowRect(hwnd_, &box);
    const POINT p{cursor.x - box.left, cursor.y - box.top};
    const bool outside = WindowFromPoint(cursor) != hwnd_;
    bool changed = false;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        TWinSysButton& b = buttons_[i];
        if (b.hover && (outside || !PtInRect(&b.rect, p))) {
            b.hover = b.pressed = false;
            changed = true;
        }
    }
    if (menuBar_ && outside && menuBar_->CancelHover()) changed = true;
    if (changed) PaintFrame();
    bool anyHover = menuBar_ && menuBar_->Hovering();
    for (const TWinSysButton& b : buttons_) anyHover = anyHover || b.hover;
    if (!anyHover) {
        KillTimer(hwnd_, kHoverTimerId);
        hoverTimer_ = false;
    }
}

LRESULT TWinSkinForm::OnCtlColorStatic(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Previous(WM_CTLCOLORSTATIC, wParam, lParam);
    const TSkinContent* skin = Skin();
    if (!skin) return result;
    return reinterpret_cast<LRESULT>(SkinStaticColours(
        reinterpret_cast<HBRUSH>(result), reinterpret_cast<HDC>(wParam), *skin, faceBrush_.get()));
}

}  // namespace kestrone::ui
