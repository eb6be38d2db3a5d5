// TCoolTrayIcon: one icon in the taskbar notification area, owned by a window
// (normally the main window). It adds, changes and removes the icon, shows
// balloon tips, turns the shell's mouse notifications into events, pops up a
// context menu, animates through an image list and, with MinimizeToTray,
// takes over the owner's minimise command so the window goes into the tray.
//
// Menu commands chosen from PopupMenu reach the owner window as WM_COMMAND
// (posted, item id in the low word of wParam), like the window's own menus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/win32/handles.h"
#include "ui/tray/component.h"
#include "ui/tray/notify_record.h"
#include "ui/tray/tray_notify_logic.h"
#include "ui/tray/win32/simple_timer.h"

namespace kestrone::ui {

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TCycleEvent = std::function<void(TObject* Sender, int NextIndex)>;
using TStartupEvent = std::function<void(TObject* Sender, bool& ShowMainForm)>;

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
using IconHandle = platform::UniqueHandle<IconTraits>;

class TCoolTrayIcon : public TObject, private TraySink {
public:
    // owner: the window whose minimise goes to the tray and that receives menu
    // commands (may be null). applicationWindow: a separate window that carries
    // the taskbar button, when the program has one; otherwise the owner's own
    // messages stand for it.
    explicit TCoolTrayIcon(HWND owner, HWND applicationWindow = nullptr);
    ~TCoolTrayIcon() override;
    TCoolTrayIcon(const TCoolTrayIcon&) = delete;
    TCoolTrayIcon& operator=(const TCoolTrayIcon&) = delete;

    // Properties.
    HICON Icon() const { return icon_.get(); }
    void SetIcon(HICON icon);  // copied; the caller keeps its own
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    bool IconVisible() const { return iconVisible_; }
    void SetIconVisible(bool value);
    HIMAGELIST IconList() const { return iconList_; }
    void SetIconList(HIMAGELIST list);  // not owned; clear it before destroying the list
    int IconIndex() const { return iconIndex_; }
    void SetIconIndex(int index);
    bool CycleIcons() const { return cycleIcons_; }
    void SetCycleIcons(bool value);
    std::uint32_t CycleInterval() const { return cycleInterval_; }
    void SetCycleInterval(std::uint32_t milliseconds);
    bool Enabled() const { return logic_.Enabled; }
    void SetEnabled(bool value) { logic_.Enabled = value; }
    HMENU PopupMenu() const { return popupMenu_; }
    // The menu is not owned. autoPopup false keeps it from opening by itself.
    void SetPopupMenu(HMENU menu, bool autoPopup = true);
    bool LeftPopup() const { return logic_.LeftPopup; }
    void SetLeftPopup(bool value) { logic_.LeftPopup = value; }
    bool WantEnterExitEvents() const { return logic_.WantEnterExitEvents; }
    void SetWantEnterExitEvents(bool value);
    bool MinimizeToTray = false;
    int Behavior() const { return logic_.Behavior; }
    void SetBehavior(int value);  // 0 classic, 1 version-3 notifications

    // Events (unassigned ones are skipped).
    TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseExit;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TCycleEvent OnCycle;
    TNotifyEvent OnBalloonHintShow, OnBalloonHintHide, OnBalloonHintTimeout, OnBalloonHintClick;
    TNotifyEvent OnMinimizeToTray;
    TStartupEvent OnStartup;
    // Raised just before PopupMenu opens, to bring its items up to date.
    TNotifyEvent OnPopupMenu;

    // Operations; each returns the shell's answer.
    bool ShowIcon();
    bool HideIcon();
    bool ModifyIcon();
    bool ShowBalloonHint(const std::string& Title, const std::string& Text, std::uint8_t IconKind,
                         std::uint8_t TimeoutSeconds);
    bool HideBalloonHint();
    void PopupAtCursor() override;
    void HideMainForm();
    void HideTaskbarIcon();
    void DoMinimizeToTray();
    // Call once the owner is set up: raises OnStartup and hides the owner when
    // it answers false. Returns whether the main window should be shown.
    bool Loaded();

    const NotifyIconRecord& Record() const { return record_; }
    std::uint32_t Id() const { return id_; }

    // Called by the shared notification window.
    void HandleTrayNotify(UINT message);
    void HandleTaskbarCreated();

private:
    // TraySink
    void Click() override;
    void DblClick() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseEnter() override;
    void MouseExit() override;
    void BalloonHintShow() override;
    void BalloonHintHide() override;
    void BalloonHintTimeout() override;
    void BalloonHintClick() override;
    bool HasDblClickHandler() const override { return static_cast<bool>(OnDblClick); }
    bool MenuAutoPopup() const override { return popupMenu_ && menuAutoPopup_; }
    void ClickDefaultMenuItem() override;
    void StartClickTimer(std::uint32_t milliseconds) override;
    bool ClickTimerRunning() const override { return clickTimer_->Enabled(); }
    std::uint32_t DoubleClickTime() const override { return GetDoubleClickTime(); }

    bool Notify(DWORD command);
    void RefreshRecord();
    void CycleStep();
    void ExitCheck();
    void InstallWindowHooks();
    void RemoveWindowHooks();
    LRESULT OwnerMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& consumed);
    void ApplicationMessage(UINT message, WPARAM wParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR subclassId, DWORD_PTR refData);

    HWND owner_ = nullptr;
    HWND application_ = nullptr;
    std::uint32_t id_ = 0;
    NotifyIconRecord record_;
    TrayNotifyLogic logic_{*this};
    IconHandle icon_;
    std::string hint_;
    bool showHint_ = true;
    bool iconVisible_ = false;
    HIMAGELIST iconList_ = nullptr;
    int iconIndex_ = 0;
    bool cycleIcons_ = false;
    std::uint32_t cycleInterval_ = 0;
    HMENU popupMenu_ = nullptr;
    bool menuAutoPopup_ = true;
    bool firstPositionChange_ = true;
    bool ownerClosing_ = false;
    std::unique_ptr<TSimpleTimer> cycleTimer_, clickTimer_, exitTimer_;
};

}  // namespace kestrone::ui
