// The guard of attached drives in the tray window: the watches post
// WM_DRIVECHANGED from their threads; the window lets the writes settle for a
// moment (each new announcement starts the wait again) and then runs the
// guard's check on its own thread.
#include <windows.h>
// After windows.h, which it needs.
#include <dbt.h>

#include <exception>

#include "app/drive_guard.h"
#include "core/definitions.h"
#include "core/user_settings.h"
#include "main_form.h"

namespace kestrone::app {

namespace {
// One timer per drive letter.
constexpr UINT_PTR kGuardTimerFirst = 0x4B00;
constexpr UINT kGuardSettleMs = 200;
}  // namespace

void TMainForm::CreateDriveGuard() {
    HWND window = hwnd_;
    guard_ = std::make_unique<DriveGuard>([window](char letter) {
        PostMessageA(window, WM_DRIVECHANGED, static_cast<WPARAM>(letter), 0);
    });
}

void TMainForm::SyncDriveGuard() {
    if (!guard_) return;
    try {
        std::string attached = GetRemovableDriveLetters();
        guard_->Guard(GuardedLetters(ReadGuardDrives(), attached));
        for (auto at = letGoHandles_.begin(); at != letGoHandles_.end();) {
            at = attached.find(at->second) == std::string::npos ? letGoHandles_.erase(at)
                                                                : std::next(at);
        }
    } catch (const std::exception& error) {
        ShowErrorBox(hwnd_, error.what());
    }
    RegisterGuardHandles();
}

// One registration per watch handle; those of watches that ended go.
void TMainForm::RegisterGuardHandles() {
    for (auto at = guardHandles_.begin(); at != guardHandles_.end();) {
        bool current = guard_ && guard_->WatchHandle(at->first) == at->second.handle;
        if (current) {
            ++at;
            continue;
        }
        if (at->second.registration) UnregisterDeviceNotification(at->second.registration);
        at = guardHandles_.erase(at);
    }
    if (!guard_) return;
    for (char letter : guard_->Guarded()) {
        uintptr_t handle = guard_->WatchHandle(letter);
        if (!handle || guardHandles_.count(letter)) continue;
        DEV_BROADCAST_HANDLE filter{};
        filter.dbch_size = sizeof filter;
        filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
        filter.dbch_handle = reinterpret_cast<HANDLE>(handle);
        HDEVNOTIFY registration =
            RegisterDeviceNotificationA(hwnd_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
        guardHandles_[letter] = {handle, registration};
    }
}

// The user asks to remove a guarded drive: the watch lets it go at once, or
// Windows would find the drive in use. A removal that failed guards it again.
bool TMainForm::OnGuardHandleRemoval(WPARAM event, LPARAM record) {
    uintptr_t handle = 0;
    HandleRemoval removal = ReadHandleRemoval(static_cast<uint32_t>(event),
                                              reinterpret_cast<const void*>(record), handle);
    if (removal == HandleRemoval::None || !guard_) return false;
    if (removal == HandleRemoval::Asked) {
        char letter = guard_->LetterOfHandle(handle);
        if (!letter) return true;
        letGoHandles_[handle] = letter;
        guard_->LetGo(letter);
        RegisterGuardHandles();
        return true;
    }
    auto at = letGoHandles_.find(handle);
    if (at != letGoHandles_.end()) {
        guard_->Resume(at->second);
        letGoHandles_.erase(at);
        SyncDriveGuard();
    }
    return true;
}

void TMainForm::OnDriveChanged(WPARAM letter) {
    if (letter < 'A' || letter > 'Z') return;
    SetTimer(hwnd_, kGuardTimerFirst + (letter - 'A'), kGuardSettleMs, nullptr);
}

bool TMainForm::OnGuardTimer(UINT_PTR id) {
    if (id < kGuardTimerFirst || id >= kGuardTimerFirst + 26) return false;
    if (!guard_) return true;
    char letter = static_cast<char>('A' + (id - kGuardTimerFirst));
    // A question the clean asks pumps messages: a check already under way
    // finishes first, and this one follows it.
    if (guard_->Busy()) return true;
    KillTimer(hwnd_, id);
    try {
        std::string text = guard_->Check(letter);
        if (!text.empty()) ShowPopup(text);
    } catch (const std::exception& error) {
        ShowErrorBox(hwnd_, error.what());
    }
    return true;
}

}  // namespace kestrone::app
