// The folder watch on Windows: the folder opened as a directory handle, read
// for changes with ReadDirectoryChangesW (overlapped), and a stop event,
// waited for together on a thread of the watch's own. The handle is what
// Windows names when the user asks to remove the drive, so that the window
// can end the watch and let the drive go.
#include "platform/folder_watch.h"

#include <windows.h>

#include "platform/win32/handles.h"

namespace kestrone::platform {

namespace {

constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                                  FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SIZE |
                                  FILE_NOTIFY_CHANGE_LAST_WRITE;

}  // namespace

struct FolderWatch::State {
    FileHandle folder;
    KernelHandle stop;
    KernelHandle arrived;
    KernelHandle thread;
    Notify notify;
    // What the system writes; the watch only needs to know that it wrote.
    alignas(DWORD) char buffer[4096];

    // Waits for one burst of changes; false when the watch is to end.
    bool WaitForChanges() {
        OVERLAPPED request{};
        request.hEvent = arrived.get();
        DWORD bytes = 0;
        if (!ReadDirectoryChangesW(folder.get(), buffer, sizeof buffer, FALSE, kWatchedChanges,
                                   nullptr, &request, nullptr)) {
            return false;  // the folder went (the drive was removed)
        }
        HANDLE waits[2] = {stop.get(), arrived.get()};
        DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (woke != WAIT_OBJECT_0 + 1) {
            // The buffer must not go while the system may still write to it.
            CancelIo(folder.get());
            GetOverlappedResult(folder.get(), &request, &bytes, TRUE);
            return false;
        }
        // No bytes means more changes than the buffer held: still news.
        return GetOverlappedResult(folder.get(), &request, &bytes, FALSE) != FALSE;
    }

    static DWORD WINAPI Run(void* parameter) {
        auto* state = static_cast<State*>(parameter);
        while (state->WaitForChanges()) state->notify();
        return 0;
    }
};

FolderWatch::FolderWatch() = default;

FolderWatch::~FolderWatch() {
    Stop();
}

bool FolderWatch::Start(const std::string& folder, Notify notify) {
    Stop();
    auto state = std::make_unique<State>();
    state->folder.reset(CreateFileA(
        folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    state->stop.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    state->arrived.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!state->folder || !state->stop || !state->arrived) return false;
    state->notify = std::move(notify);
    state->thread.reset(CreateThread(nullptr, 0, &State::Run, state.get(), 0, nullptr));
    if (!state->thread) return false;
    state_ = std::move(state);
    return true;
}

void FolderWatch::Stop() {
    if (!state_) return;
    SetEvent(state_->stop.get());
    WaitForSingleObject(state_->thread.get(), INFINITE);
    state_.reset();
}

bool FolderWatch::Watching() const {
    return state_ != nullptr;
}

uintptr_t FolderWatch::SystemHandle() const {
    return state_ ? reinterpret_cast<uintptr_t>(state_->folder.get()) : 0;
}

}  // namespace kestrone::platform
