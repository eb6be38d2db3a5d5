#include "scan/module_unload.h"

#include "core/definitions.h"
#include "core/machine_changes.h"
#include "core/path_macros.h"
#include "platform/remote_modules.h"
#include "scan/process_info.h"

namespace kestrone {

namespace {

// A NUL-terminated UTF-16 text placed in another process's memory, decommitted
// when the object ends unless it was abandoned to a thread that may still read it.
class RemoteText {
  public:
    RemoteText(platform::RemoteProcess& process, const std::u16string& text)
        : process_(process), size_((text.size() + 1) * sizeof(char16_t)) {
        address_ = process_.Allocate(size_);
        if (address_ && !process_.Write(address_, text.c_str(), size_)) Release();
    }
    ~RemoteText() { Release(); }
    RemoteText(const RemoteText&) = delete;
    RemoteText& operator=(const RemoteText&) = delete;

    uintptr_t address() const { return address_; }
    // A thread that was given the text has not ended: freeing the memory
    // under it could crash the host, so the few bytes stay there.
    void Abandon() { address_ = 0; }

  private:
    void Release() {
        if (address_) process_.Decommit(address_, size_);
        address_ = 0;
    }

    platform::RemoteProcess& process_;
    size_t size_;
    uintptr_t address_ = 0;
};

// Runs the host's own lookup of the path; false when it did not end (then the
// path's memory is left to the thread). The handle is 0 when the module is
// not loaded there.
bool LookUpRemoteModule(platform::RemoteProcess& process, RemoteText& path, uintptr_t& handle) {
    platform::RemoteThreadResult lookup = process.RunRoutine(
        platform::KernelRoutine::GetModuleHandleW, path.address(), kRemoteThreadTimeoutMs);
    if (lookup.end == platform::RemoteThreadEnd::TimedOut) path.Abandon();
    handle = lookup.value;
    return lookup.end == platform::RemoteThreadEnd::Finished;
}

void AppendAll(TextList& list, const TextList& items) {
    list.insert(list.end(), items.begin(), items.end());
}

}  // namespace

UnloadPlan PlanUnload(const TextList& entries) {
    UnloadPlan plan;
    for (const std::string& entry : entries) {
        size_t slash = entry.find('\\');
        std::string process = slash == std::string::npos ? std::string() : entry.substr(0, slash);
        std::string module = slash == std::string::npos ? entry : entry.substr(slash + 1);
        if (SameText(process, "ALL")) {
            AppendAll(plan.targets, ListProcessNames());
        } else {
            plan.targets.push_back(process);
        }
        // An empty module part names nothing; a bare name is what the host's
        // own lookup takes as it is.
        if (IsPathEntry(module)) {
            AppendAll(plan.modules, ExpandPathMacros({module}));
        } else if (!module.empty()) {
            plan.modules.push_back(module);
        }
    }
    return plan;
}

void UnloadDlls(const std::string& virusName) {
    TextList entries =
        SplitList(ReadDataString(virusName, "UnloadDll", "None", kDefinitionsFile), ',');
    if (entries.empty()) return;
    UnloadPlan plan = PlanUnload(entries);
    for (const std::string& module : plan.modules) {
        for (const std::string& target : plan.targets) UnloadRemoteModule(target, module, 0);
    }
}

bool UnloadRemoteModule(const std::string& processName, const std::string& modulePath,
                        uint32_t processId) {
    SetDebugPrivilege(true);
    std::u16string widePath = platform::AnsiToWide(modulePath);
    if (processId == 0) processId = FindProcessByName(processName, false);
    if (processId == 0 || IsCriticalProcess(processId)) return false;
    // An empty name names no module; the host is not disturbed for it.
    if (widePath.empty()) return false;
    // Work inside another process changes it: a report-only run leaves it alone.
    if (!ChangesApplied()) return false;

    platform::RemoteProcess process(processId);
    if (!process.IsOpen()) return false;
    RemoteText path(process, widePath);
    if (!path.address()) return false;

    uintptr_t handle = 0;
    if (!LookUpRemoteModule(process, path, handle)) return false;
    // A handle of 0 frees nothing: the host's FreeLibrary reports failure.
    platform::RemoteThreadResult release =
        process.RunRoutine(platform::KernelRoutine::FreeLibrary, handle, kRemoteThreadTimeoutMs);
    return release.end == platform::RemoteThreadEnd::Finished && (release.value & 0xFF) != 0;
}

}  // namespace kestrone
