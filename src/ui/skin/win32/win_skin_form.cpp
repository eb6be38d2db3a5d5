// Attaching, starting, laying out and detaching a skinned window.
#include "ui/skin/win32/win_skin_form.h"

#include <algorithm>

#include "ui/skin/skin_messages.h"
#include "ui/skin/win32/skin_canvas.h"
#include "ui/skin/win32/skin_control.h"
#include "ui/skin/win32/skin_manage.h"
#include "ui/skin/win32/win_skin_menu.h"

namespace kestrone::ui {

namespace {

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

FrameMetrics SystemFrameMetrics() {
    return {GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CYCAPTION),
            GetSystemMetrics(SM_CXFRAME)};
}

}  // namespace

TWinSkinForm::TWinSkinForm(HWND window, TSkinData& data, TSkinManage& manager)
    : hwnd_(window), data_(data), manager_(manager), className_(ClassNameOf(window)) {
    ReadStyles();
    RECT client{};
    GetClientRect(hwnd_, &client);
    originalClient_ = {client.right - client.left, client.bottom - client.top};
    active_ = GetActiveWindow() == hwnd_;
    const TSkinContent* skin = Skin();
    faceBrush_.reset(
        CreateSolidBrush(skin ? ToColorRef(skin->Colours.ButtonFace) : GetSysColor(COLOR_BTNFACE)));
    if (data_.OnBeforeSkinForm)
        data_.OnBeforeSkinForm(data_, reinterpret_cast<uintptr_t>(hwnd_), className_);
    slot_ = InstallSubclass(hwnd_, this, &TWinSkinForm::HandleMessage);
    if (!slot_) {
        life_ = FormLife::Dead;
        return;
    }
    if (data_.SkinControls.Has(xcMainMenu)) {
        if (!(style_ & WS_CHILD)) {
            if (HMENU menu = GetMenu(hwnd_)) {
                ownMenu_ = menu;
                menuBar_ = std::make_unique<TWinSkinMenu>(*this, menu);
                SetMenu(hwnd_, nullptr);  // the skin draws the bar in the frame from now on
            }
        }
        ComputeSizes();
        ComputeButtons();
    } else {
        life_ = FormLife::Running;
    }
    PostMessageA(hwnd_, skinmsg::kStartSkinning, 0, 1000);
}

TWinSkinForm::~TWinSkinForm() {
    if (life_ != FormLife::Dead) Detach(false);
}

void TWinSkinForm::ReadStyles() {
    style_ = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_STYLE));
    exStyle_ = static_cast<DWORD>(GetWindowLongA(hwnd_, GWL_EXSTYLE));
    role_ = ClassifyRole(FindWindowExA(hwnd_, nullptr, "MDIClient", nullptr) != nullptr, exStyle_);
    kind_ = ClassifyFrameKind(style_, exStyle_, className_);
    UpdateState();
}

void TWinSkinForm::UpdateState() {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(hwnd_, &placement);
    state_ = IsIconic(hwnd_)   ? WindowState::Minimised
             : IsZoomed(hwnd_) ? WindowState::Maximised
                               : WindowStateOf(static_cast<int>(placement.showCmd));
}

bool TWinSkinForm::SkinsFrame() const {
    if (!data_.SkinControls.Has(xcMainMenu) || kind_ == FrameKind::NoCaption || !Skin())
        return false;
    if (role_ == FormRole::MdiChild && state_ == WindowState::Maximised) return false;
    return life_ == FormLife::Running || life_ == FormLife::Refreshing ||
           life_ == FormLife::Resizing;
}

void TWinSkinForm::ComputeSizes() {
    const TSkinContent* skin = Skin();
    if (!skin) return;
    sizes_ = ComputeBorderSizes(*skin, kind_, role_, menuBar_ != nullptr, SystemFrameMetrics(),
                                SkinDpi());
}

void TWinSkinForm::ComputeButtons() {
    buttons_.clear();
    const TSkinContent* skin = Skin();
    if (!skin || kind_ == FrameKind::NoCaption) return;
    for (const auto& b : skin->SysButtons) {
        TWinSysButton button;
        button.data = b.get();
        buttons_.push_back(button);
    }
}

// Message 0x3503: the window starts running with its skin.
void TWinSkinForm::Start() {
    if (life_ == FormLife::Dead || life_ == FormLife::Detaching) return;
    GetSystemMenu(hwnd_, FALSE);  // makes sure the window has its system menu
    AttachControls(hwnd_);
    if (data_.SkinControls.Has(xcMainMenu) && kind_ != FrameKind::NoCaption) {
        life_ = FormLife::Resizing;
        LayOut();
        if (kind_ == FrameKind::Dialog) WidenForCaption();
    }
    life_ = FormLife::Running;
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (data_.OnAfterSkinForm)
        data_.OnAfterSkinForm(data_, reinterpret_cast<uintptr_t>(hwnd_), className_);
}

void TWinSkinForm::LayOut() {
    UpdateState();
    if (state_ != WindowState::Normal) {
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    ResizeKeepingClient(originalClient_);
}

void TWinSkinForm::ResizeKeepingClient(Size client) {
    const Size window = SkinnedWindowSize(client, sizes_);
    SetWindowPos(hwnd_, nullptr, 0, 0, window.width, window.height,
                 SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

// A dialog whose caption is wider than the dialog grows to fit it; its
// children move right by half the added width.
void TWinSkinForm::WidenForCaption() {
    const TSkinContent* skin = Skin();
    if (!skin) return;
    HDC dc = GetWindowDC(hwnd_);
    if (!dc) return;
    int textWidth = 0;
    {
        SelectGuard font(
            dc, manager_.CaptionFont() ? manager_.CaptionFont() : GetStockObject(SYSTEM_FONT));
        const std::wstring text = CaptionText();
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        textWidth = extent.cx;
    }
    ReleaseDC(hwnd_, dc);
    RECT box;
    GetWindowRect(hwnd_, &box);
    const auto widening =
        DialogCaptionWidening(kind_, textWidth, skin->Title, box.right - box.left);
    if (!widening) return;
    widenedBy_ = widening->width - (box.right - box.left);
    childShift_ = widening->childShift;
    SetWindowPos(hwnd_, nullptr, 0, 0, widening->width, box.bottom - box.top,
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(child, nullptr, r.left + childShift_, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TWinSkinForm::Refresh() {
    if (life_ == FormLife::Dead || life_ == FormLife::Detaching) return;
    const FormLife was = life_;
    life_ = FormLife::Refreshing;
    RECT client{};
    GetClientRect(hwnd_, &client);
    const Size keep{client.right - client.left, client.bottom - client.top};
    if (faceBrush_ && Skin())
        faceBrush_.reset(CreateSolidBrush(ToColorRef(Skin()->Colours.ButtonFace)));
    ComputeSizes();
    ComputeButtons();
    if (was == FormLife::Running && data_.SkinControls.Has(xcMainMenu) &&
        kind_ != FrameKind::NoCaption) {
        UpdateState();
        if (state_ == WindowState::Normal)
            ResizeKeepingClient(keep);
        else
            SetWindowPos(
                hwnd_, nullptr, 0, 0, 0, 0,
                SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    life_ = was;
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TWinSkinForm::Detach(bool restoreSize) {
    if (life_ == FormLife::Dead) return;
    const bool skinnedFrame = SkinsFrame() || life_ == FormLife::Attached;
    life_ = FormLife::Detaching;
    DetachControls();
    if (hoverTimer_) KillTimer(hwnd_, kHoverTimerId);
    hoverTimer_ = false;
    RECT client{};
    GetClientRect(hwnd_, &client);
    RemoveSubclass(hwnd_, slot_, false);
    slot_ = nullptr;
    if (ownMenu_) SetMenu(hwnd_, ownMenu_);
    ownMenu_ = nullptr;
    menuBar_.reset();
    life_ = FormLife::Dead;
    if (!restoreSize || !IsWindow(hwnd_)) return;
    if (childShift_) {
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            RECT r;
            GetWindowRect(child, &r);
            MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
            SetWindowPos(child, nullptr, r.left - childShift_, r.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    UpdateState();
    if (skinnedFrame && state_ == WindowState::Normal) {
        // The window's own frame around the client area it had.
        RECT frame{0, 0, client.right - client.left - widenedBy_, client.bottom - client.top};
        AdjustWindowRectEx(&frame, style_, GetMenu(hwnd_) != nullptr, exStyle_);
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
    } else {
        SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    }
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::wstring TWinSkinForm::CaptionText() const {
    return L" " + WindowTextOf(hwnd_);
}

}  // namespace kestrone::ui
