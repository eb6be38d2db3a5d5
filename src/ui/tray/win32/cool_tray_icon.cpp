#include "ui/tray/win32/cool_tray_icon.h"

#include <shellapi.h>

#include <cstddef>
#include <cstring>

#include "ui/tray/tray_rules.h"
#include "ui/tray/win32/tray_icon_handler.h"

namespace kestrone::ui {

#ifndef _WIN64
// The 32-bit program hands the record to the shell as NOTIFYICONDATAA: its
// fields must sit where the shell's own structure has them.
static_assert(NOTIFYICONDATAA_V2_SIZE == kNotifyRecordSize);
static_assert(offsetof(NOTIFYICONDATAA, hWnd) == notify_field::hWnd);
static_assert(offsetof(NOTIFYICONDATAA, szTip) == notify_field::szTip);
static_assert(offsetof(NOTIFYICONDATAA, szInfo) == notify_field::szInfo);
static_assert(offsetof(NOTIFYICONDATAA, szInfoTitle) == notify_field::szInfoTitle);
static_assert(offsetof(NOTIFYICONDATAA, dwInfoFlags) == notify_field::dwInfoFlags);
#endif

namespace {

// Window and icon handles carry 32 significant bits on every Windows.
std::uint32_t HandleBits(const void* handle) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

template <typename Handle>
Handle HandleFrom(std::uint32_t bits) {
    return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(bits));
}

BOOL SendToShell(DWORD command, NotifyIconRecord& record) {
#ifndef _WIN64
    return Shell_NotifyIconA(command, static_cast<NOTIFYICONDATAA*>(record.data()));
#else
    // The 64-bit build (used for tests where only 64-bit Wine runs) has wider
    // handle fields: copy the record field by field into the shell's layout.
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = HandleFrom<HWND>(record.Get(notify_field::hWnd));
    data.uID = record.Get(notify_field::uID);
    data.uFlags = record.Get(notify_field::uFlags);
    data.uCallbackMessage = record.Get(notify_field::uCallbackMessage);
    data.hIcon = HandleFrom<HICON>(record.Get(notify_field::hIcon));
    auto copyText = [&record](char* target, std::size_t offset, std::size_t capacity) {
        const std::string text = record.Text(offset, capacity);
        std::memcpy(target, text.c_str(), text.size() + 1);
    };
    copyText(data.szTip, notify_field::szTip, notify_field::szTipCapacity);
    copyText(data.szInfo, notify_field::szInfo, notify_field::szInfoCapacity);
    copyText(data.szInfoTitle, notify_field::szInfoTitle, notify_field::szInfoTitleCapacity);
    data.uTimeout = record.Get(notify_field::uTimeout);
    data.dwInfoFlags = record.Get(notify_field::dwInfoFlags);
    return Shell_NotifyIconA(command, &data);
#endif
}

}  // namespace

TCoolTrayIcon::TCoolTrayIcon(HWND owner, HWND applicationWindow)
    : owner_(owner), application_(applicationWindow) {
    id_ = TTrayIconHandler::Acquire(this);
    record_.Init(HandleBits(TTrayIconHandler::Window()), id_);
    cycleTimer_ = std::make_unique<TSimpleTimer>(1000, [this](TObject*) { CycleStep(); });
    clickTimer_ = std::make_unique<TSimpleTimer>(1000, [this](TObject*) {
        logic_.ClickTimerFired();
    });
    clickTimer_->AutoDisable = true;
    exitTimer_ = std::make_unique<TSimpleTimer>(20, [this](TObject*) { ExitCheck(); });
    InstallWindowHooks();
}

TCoolTrayIcon::~TCoolTrayIcon() {
    if (iconVisible_) HideIcon();
    cycleTimer_.reset();
    clickTimer_.reset();
    exitTimer_.reset();
    icon_.reset();
    RemoveWindowHooks();
    TTrayIconHandler::Release(id_);
}

// --- shell calls -----------------------------------------------------------

void TCoolTrayIcon::RefreshRecord() {
    record_.Set(notify_field::hIcon, HandleBits(icon_.get()));
    record_.SetTip(hint_, showHint_);
}

bool TCoolTrayIcon::Notify(DWORD command) {
    RefreshRecord();
    return SendToShell(command, record_) != FALSE;
}

bool TCoolTrayIcon::ShowIcon() {
    iconVisible_ = true;
    return Notify(NIM_ADD);
}

bool TCoolTrayIcon::HideIcon() {
    iconVisible_ = false;
    return Notify(NIM_DELETE);
}

bool TCoolTrayIcon::ModifyIcon() { return Notify(NIM_MODIFY); }

bool TCoolTrayIcon::ShowBalloonHint(const std::string& Title, const std::string& Text,
                                    std::uint8_t IconKind, std::uint8_t TimeoutSeconds) {
    HideBalloonHint();
    record_.SetBalloon(Title, Text, IconKind, TimeoutSeconds);
    const bool shown = ModifyIcon();
    record_.EndBalloonCall();
    return shown;
}

bool TCoolTrayIcon::HideBalloonHint() {
    record_.ClearBalloon();
    const bool hidden = ModifyIcon();
    // Later plain changes of icon or hint must not carry the balloon flag.
    record_.EndBalloonCall();
    return hidden;
}

void TCoolTrayIcon::SetBehavior(int value) {
    logic_.Behavior = value;
    record_.Set(notify_field::uTimeout, value == 1 ? 3 : 0);
    Notify(NIM_SETVERSION);
}

// --- properties ------------------------------------------------------------

void TCoolTrayIcon::SetIcon(HICON icon) {
    icon_.reset(icon ? CopyIcon(icon) : nullptr);
    ModifyIcon();
}

void TCoolTrayIcon::SetHint(const std::string& hint) {
    hint_ = hint;
    ModifyIcon();
}

void TCoolTrayIcon::SetShowHint(bool value) {
    showHint_ = value;
    ModifyIcon();
}

void TCoolTrayIcon::SetIconVisible(bool value) {
    if (value) {
        ShowIcon();
    } else {
        HideIcon();
    }
}

void TCoolTrayIcon::SetIconList(HIMAGELIST list) {
    iconList_ = list;
    SetIconIndex(0);
}

void TCoolTrayIcon::SetIconIndex(int index) {
    if (iconList_) {
        iconIndex_ = ClampIconIndex(index, ImageList_GetImageCount(iconList_));
        IconHandle image(ImageList_GetIcon(iconList_, iconIndex_, ILD_NORMAL));
        if (image) icon_ = std::move(image);
    } else {
        iconIndex_ = 0;
    }
    ModifyIcon();
}

void TCoolTrayIcon::SetCycleIcons(bool value) {
    cycleIcons_ = value;
    if (value) {
        SetIconIndex(0);
        cycleTimer_->SetInterval(cycleInterval_);
        cycleTimer_->SetEnabled(true);
    } else {
        cycleTimer_->SetEnabled(false);
    }
}

void TCoolTrayIcon::SetCycleInterval(std::uint32_t milliseconds) {
    if (milliseconds == cycleInterval_) return;
    cycleInterval_ = milliseconds;
    SetCycleIcons(cycleIcons_);
}

void TCoolTrayIcon::SetPopupMenu(HMENU menu, bool autoPopup) {
    popupMenu_ = menu;
    menuAutoPopup_ = autoPopup;
}

void TCoolTrayIcon::SetWantEnterExitEvents(bool value) {
    logic_.WantEnterExitEvents = value;
    exitTimer_->SetEnabled(value);
}

// --- timers ----------------------------------------------------------------

void TCoolTrayIcon::CycleStep() {
    if (!iconList_) return;
    const int count = ImageList_GetImageCount(iconList_);
    IconHandle image(ImageList_GetIcon(iconList_, iconIndex_, ILD_NORMAL));
    if (image) icon_ = std::move(image);
    Raise(OnCycle, this, NextCycleIndex(iconIndex_, count));
    SetIconIndex(NextCycleIndex(iconIndex_, count));
}

void TCoolTrayIcon::ExitCheck() {
    POINT cursor{};
    GetCursorPos(&cursor);
    logic_.ExitTimerTick({cursor.x, cursor.y});
}

void TCoolTrayIcon::StartClickTimer(std::uint32_t milliseconds) {
    clickTimer_->SetInterval(milliseconds);
    clickTimer_->SetEnabled(true);
}

// --- notifications ---------------------------------------------------------

void TCoolTrayIcon::HandleTrayNotify(UINT message) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const TShiftState keys = ShiftFromKeys(GetAsyncKeyState(VK_SHIFT) < 0,
                                           GetAsyncKeyState(VK_MENU) < 0,
                                           GetAsyncKeyState(VK_CONTROL) < 0);
    logic_.Notify(message, {cursor.x, cursor.y}, keys);
}

void TCoolTrayIcon::HandleTaskbarCreated() {
    if (iconVisible_) ShowIcon();
}

void TCoolTrayIcon::Click() { Raise(OnClick, this); }
void TCoolTrayIcon::DblClick() { Raise(OnDblClick, this); }
void TCoolTrayIcon::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseDown, this, button, shift, x, y);
}
void TCoolTrayIcon::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseUp, this, button, shift, x, y);
}
void TCoolTrayIcon::MouseMove(TShiftState shift, int x, int y) {
    Raise(OnMouseMove, this, shift, x, y);
}
void TCoolTrayIcon::MouseEnter() { Raise(OnMouseEnter, this); }
void TCoolTrayIcon::MouseExit() { Raise(OnMouseExit, this); }
void TCoolTrayIcon::BalloonHintShow() { Raise(OnBalloonHintShow, this); }
void TCoolTrayIcon::BalloonHintHide() { Raise(OnBalloonHintHide, this); }
void TCoolTrayIcon::BalloonHintTimeout() { Raise(OnBalloonHintTimeout, this); }
void TCoolTrayIcon::BalloonHintClick() { Raise(OnBalloonHintClick, this); }

}  // namespace kestrone::ui
