// The guard of the attached removable drives, as the tray window runs it: a
// watch on each guarded drive's root, the listing it last saw, and the check
// that runs on the window's thread once a change has settled. The watches
// only announce; every decision is made in the check.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/folder_watch.h"

namespace kestrone {

// The drives to guard: every removable drive while the guard is on, none
// while it is off. Letters in the given order, without A.
std::string GuardedLetters(bool guardOn, const std::string& removableLetters);

// What WM_DEVICECHANGE says of a handle registered for device events: the
// user asks to remove the drive it lies on (DBT_DEVICEQUERYREMOVE), or that
// removal failed (DBT_DEVICEQUERYREMOVEFAILED). `header` points at the
// DEV_BROADCAST_HANDLE record (may be null); `handle` is set to its handle.
enum class HandleRemoval { None, Asked, Failed };
inline constexpr uint32_t kDbtDeviceQueryRemove = 0x8001;
inline constexpr uint32_t kDbtDeviceQueryRemoveFailed = 0x8002;
inline constexpr uint32_t kDbtDevTypHandle = 6;
HandleRemoval ReadHandleRemoval(uint32_t event, const void* header, uintptr_t& handle);

class DriveGuard {
  public:
    // Told the letter of a drive whose root changed; runs on a watch's
    // thread, so it must only hand the letter to the window's thread.
    using ChangeNotice = std::function<void(char letter)>;

    explicit DriveGuard(ChangeNotice notice);
    ~DriveGuard();
    DriveGuard(const DriveGuard&) = delete;
    DriveGuard& operator=(const DriveGuard&) = delete;

    // Guards exactly these drives: watches of other drives stop, a drive newly
    // guarded is watched from its root as it is now. Asked during a check, it
    // takes effect when the check ends.
    void Guard(const std::string& letters);
    // The letters guarded now.
    std::string Guarded() const;

    // The user asked Windows to remove the drive: its watch ends (it holds the
    // drive's root open) and is not started again while the drive is still
    // listed, unless the removal fails (Resume).
    void LetGo(char letter);
    void Resume(char letter);
    // The system's handle of a drive's watch, 0 when it has none; the
    // drive whose watch has this handle, 0 when none.
    uintptr_t WatchHandle(char letter) const;
    char LetterOfHandle(uintptr_t handle) const;

    // After a change of a guarded drive settled: the popup's text when a worm
    // came and was cleaned, else empty (also for a drive not guarded).
    std::string Check(char letter);
    // True while a check runs (a question it asks lets messages through).
    bool Busy() const { return busy_; }

  private:
    struct Drive {
        platform::FolderWatch watch;
        std::vector<platform::FolderEntry> baseline;
    };
    ChangeNotice notice_;
    bool busy_ = false;
    std::optional<std::string> pendingLetters_;
    std::string letGo_;  // drives whose removal was asked for
    std::map<char, std::unique_ptr<Drive>> drives_;
};

}  // namespace kestrone
