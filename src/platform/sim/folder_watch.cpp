#include "platform/folder_watch.h"

#include <algorithm>
#include <vector>

#include "platform/files.h"
#include "platform/sim/folder_watches.h"
#include "platform/sim/sim_text.h"

namespace kestrone::platform {

struct FolderWatch::State {
    std::string folder;
    Notify notify;
};

namespace {

std::vector<FolderWatch::State*>& Running() {
    static std::vector<FolderWatch::State*> running;
    return running;
}

std::string Comparable(std::string folder) {
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

}  // namespace

FolderWatch::FolderWatch() = default;

FolderWatch::~FolderWatch() {
    Stop();
}

bool FolderWatch::Start(const std::string& folder, Notify notify) {
    Stop();
    if (!FolderExists(folder)) return false;
    state_ = std::make_unique<State>(State{Comparable(folder), std::move(notify)});
    Running().push_back(state_.get());
    return true;
}

void FolderWatch::Stop() {
    if (!state_) return;
    std::vector<State*>& running = Running();
    for (auto at = running.begin(); at != running.end(); ++at) {
        if (*at == state_.get()) {
            running.erase(at);
            break;
        }
    }
    state_.reset();
}

bool FolderWatch::Watching() const {
    return state_ != nullptr;
}

uintptr_t FolderWatch::SystemHandle() const {
    return 0;
}

}  // namespace kestrone::platform

namespace kestrone::sim {

void AnnounceFolderChange(const std::string& folder) {
    std::string wanted = platform::Comparable(folder);
    // A copy: a notification may start or stop watches.
    std::vector<platform::FolderWatch::State*> running = platform::Running();
    for (platform::FolderWatch::State* state : running) {
        const auto& now = platform::Running();
        if (std::find(now.begin(), now.end(), state) == now.end()) continue;  // stopped meanwhile
        if (SameName(state->folder, wanted)) state->notify();
    }
}

int RunningWatches(const std::string& folder) {
    int count = 0;
    for (platform::FolderWatch::State* state : platform::Running()) {
        if (SameName(state->folder, platform::Comparable(folder))) ++count;
    }
    return count;
}

}  // namespace kestrone::sim
