// TCoolTrayIcon's dealings with windows: the context menu, minimising the
// owner into the tray, and the two interceptions of the owner's and the
// application window's messages.
#include <windows.h>
// (commctrl.h needs windows.h first)
#include <commctrl.h>

#include <vector>

#include "ui/tray/tray_rules.h"
#include "ui/tray/win32/cool_tray_icon.h"
#include "ui/tray/win32/tray_icon_handler.h"

namespace kestrone::ui {
namespace {

constexpr UINT_PTR kOwnerSubclass = 1;
constexpr UINT_PTR kApplicationSubclass = 2;

// Lets already queued messages run, as the menu needs the foreground switch
// to settle; bounded so a busy queue cannot keep us here.
void ProcessPendingMessages() {
    MSG message;
    for (int i = 0; i < 64 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace

void TCoolTrayIcon::PopupAtCursor() {
    POINT cursor{};
    GetCursorPos(&cursor);
    if (!popupMenu_) return;
    HWND notifyWindow = TTrayIconHandler::Window();
    SetForegroundWindow(notifyWindow);
    ProcessPendingMessages();
    Raise(OnPopupMenu, this);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(popupMenu_, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, cursor.x,
                       cursor.y, 0, notifyWindow, nullptr));
    if (owner_) {
        PostMessageA(owner_, WM_NULL, 0, 0);
        if (command != 0) PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
}

void TCoolTrayIcon::ClickDefaultMenuItem() {
    const int count = GetMenuItemCount(popupMenu_);
    std::vector<bool> isDefault;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STATE | MIIM_SUBMENU;
        const bool read = GetMenuItemInfoA(popupMenu_, i, TRUE, &info) != FALSE;
        isDefault.push_back(read && (info.fState & MFS_DEFAULT) && !info.hSubMenu);
    }
    const int index = DefaultMenuItemIndex(isDefault);
    if (index < 0 || !owner_) return;
    const UINT command = GetMenuItemID(popupMenu_, index);
    PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TCoolTrayIcon::HideTaskbarIcon() {
    if (application_ && IsWindowVisible(application_)) ShowWindow(application_, SW_HIDE);
}

void TCoolTrayIcon::HideMainForm() {
    if (!owner_) return;
    ShowWindow(owner_, SW_HIDE);
    HideTaskbarIcon();
}

void TCoolTrayIcon::DoMinimizeToTray() {
    HideMainForm();
    SetIconVisible(true);
}

bool TCoolTrayIcon::Loaded() {
    bool showMainForm = true;
    if (owner_) {
        Raise(OnStartup, this, showMainForm);
        if (!showMainForm) HideMainForm();
    }
    ModifyIcon();
    return showMainForm;
}

// --- interceptions ---------------------------------------------------------

void TCoolTrayIcon::InstallWindowHooks() {
    if (owner_) SetWindowSubclass(owner_, &SubclassProc, kOwnerSubclass, reinterpret_cast<DWORD_PTR>(this));
    if (application_ && application_ != owner_)
        SetWindowSubclass(application_, &SubclassProc, kApplicationSubclass,
                          reinterpret_cast<DWORD_PTR>(this));
}

void TCoolTrayIcon::RemoveWindowHooks() {
    if (owner_) RemoveWindowSubclass(owner_, &SubclassProc, kOwnerSubclass);
    if (application_ && application_ != owner_)
        RemoveWindowSubclass(application_, &SubclassProc, kApplicationSubclass);
}

LRESULT CALLBACK TCoolTrayIcon::SubclassProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR subclassId,
                                             DWORD_PTR refData) {
    auto* icon = reinterpret_cast<TCoolTrayIcon*>(refData);
    const bool ownerWindow = subclassId == kOwnerSubclass;
    // The application window's hook only watches; without a separate
    // application window the owner's messages stand for it.
    if (!ownerWindow || !icon->application_) icon->ApplicationMessage(message, wParam);
    if (ownerWindow) {
        bool consumed = false;
        const LRESULT result = icon->OwnerMessage(window, message, wParam, lParam, consumed);
        if (consumed) return result;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, &SubclassProc, subclassId);
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TCoolTrayIcon::OwnerMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                    bool& consumed) {
    if (message == WM_DESTROY) ownerClosing_ = true;
    switch (ClassifyOwnerMessage(message, wParam, lParam, ownerClosing_)) {
        case OwnerMessage::BeingShown:
            if (application_) SetForegroundWindow(application_);
            SetForegroundWindow(owner_);
            break;
        case OwnerMessage::MinimizeRequest:
            if (MinimizeToTray && OnMinimizeToTray) {
                OnMinimizeToTray(this);
                DoMinimizeToTray();
                consumed = true;
                return 1;
            }
            break;
        case OwnerMessage::Other:
            break;
    }
    return 0;
}

void TCoolTrayIcon::ApplicationMessage(UINT message, WPARAM wParam) {
    switch (ClassifyApplicationMessage(message, wParam, 0)) {
        case ApplicationMessage::Minimized:
            if (MinimizeToTray) DoMinimizeToTray();
            break;
        case ApplicationMessage::FirstPositionChange:
            // Only an MDI main form asks OnStartup here; ours never is one.
            if (owner_) firstPositionChange_ = false;
            break;
        case ApplicationMessage::Restore:
            if (owner_) {
                if (IsIconic(owner_)) ShowWindow(owner_, SW_RESTORE);
                ShowWindow(owner_, SW_SHOW);
            }
            break;
        case ApplicationMessage::TaskbarCreated:  // handled by the notification window
        case ApplicationMessage::Other:
            break;
    }
}

}  // namespace kestrone::ui
