// Watching one folder (not its subfolders) for what is written to it: names
// that appear or go, and attributes, sizes and write times that change. The
// watch waits on the system's change notification on a thread of its own, so
// nothing polls and the window's thread is never held up.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kestrone::platform {

class FolderWatch {
  public:
    // Runs on the watch's thread, once for each burst of changes the system
    // reports. It must do no more than hand the news to the window's thread.
    using Notify = std::function<void()>;

    FolderWatch();
    ~FolderWatch();  // stops the watch
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Starts watching (a running watch is stopped first). False when the
    // folder cannot be watched (it does not exist, the drive went).
    bool Start(const std::string& folder, Notify notify);
    // Ends the watch and its thread; `notify` is not called once this returns.
    void Stop();
    bool Watching() const;
    // The handle through which the system watches (0 when not watching, and
    // in the simulated machine): Windows names it when the user asks to
    // remove the drive, and the watch must then end to let the drive go.
    uintptr_t SystemHandle() const;

    struct State;  // each platform's own

  private:
    std::unique_ptr<State> state_;
};

}  // namespace kestrone::platform
