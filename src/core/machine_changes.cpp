#include "core/machine_changes.h"

#include <set>
#include <utility>

#include "core/text.h"
#include "core/undo_log.h"
#include "platform/files.h"
#include "platform/processes.h"
#include "platform/rights.h"

namespace kestrone {

namespace {

ChangeMode g_mode = ChangeMode::Apply;
ChangeTally g_tally;
RemovalKeeper* g_keeper = nullptr;
std::string g_reason;

// What a report-only run has already "removed": a real run finds such a file
// or process gone when a later step comes to it again, so a report-only run
// must not count or list it a second time either.
std::set<std::string> g_removedFiles;  // upper-cased paths
std::set<uint32_t> g_endedProcesses;
// What the system refused since the last reset: one thing that several steps
// try to remove is still one threat left behind.
std::set<std::string> g_refusedThings;

// True when the thing was removed before in this report-only run; otherwise
// remembers it.
template <typename Key>
bool SeenBefore(std::set<Key>& removed, const Key& key) {
    return !removed.insert(key).second;
}

// Counts one change and tells whether it is to be made. In report-only mode
// the caller answers "done" without touching anything.
bool Attempt() {
    ++g_tally.attempted;
    return g_mode == ChangeMode::Apply;
}

bool Outcome(bool succeeded, const std::string& what) {
    if (!succeeded && g_refusedThings.insert(UpperCase(what)).second) ++g_tally.refused;
    return succeeded;
}

}  // namespace

ChangeMode CurrentChangeMode() {
    return g_mode;
}
void SetChangeMode(ChangeMode mode) {
    if (mode != g_mode) {
        g_removedFiles.clear();
        g_endedProcesses.clear();
    }
    g_mode = mode;
}

const ChangeTally& MachineChanges() {
    return g_tally;
}
void ResetMachineChanges() {
    g_tally = ChangeTally{};
    g_refusedThings.clear();
    g_removedFiles.clear();
    g_endedProcesses.clear();
}

void InstallRemovalKeeper(RemovalKeeper* keeper) {
    g_keeper = keeper;
}

RemovalReasonScope::RemovalReasonScope(std::string reason) : saved_(std::move(g_reason)) {
    g_reason = std::move(reason);
}
RemovalReasonScope::~RemovalReasonScope() {
    g_reason = std::move(saved_);
}
const std::string& CurrentRemovalReason() {
    return g_reason;
}

bool RemoveOrScheduleFile(const std::string& path) {
    if (g_keeper && !g_keeper->Allows(path)) return false;
    if (g_mode == ChangeMode::ReportOnly && SeenBefore(g_removedFiles, UpperCase(path)))
        return false;
    if (!Attempt()) return true;
    // With administrator rights a link on the way could aim the deletion at
    // something the user could not touch: refused.
    if (platform::ProcessIsElevated() && platform::PathPassesThroughLink(path))
        return Outcome(false, "file " + path);
    if (g_keeper) g_keeper->Keep(path, g_reason);
    platform::SetAttributes(path, platform::kAttrNormal);
    return Outcome(platform::RemoveFile(path) || platform::RemoveFileAtRestart(path),
                   "file " + path);
}

bool EndProcess(uint32_t processId) {
    if (g_mode == ChangeMode::ReportOnly && SeenBefore(g_endedProcesses, processId)) return false;
    bool ended = !Attempt() || Outcome(platform::TerminateProcessById(processId, 0),
                                       "process " + std::to_string(processId));
    if (ended) g_tally.endedProcesses.push_back(processId);
    return ended;
}

// "HKLM\Software\X\Name", as the history names a value.
std::string ValueText(const platform::RegistryKey& key, const std::string& name) {
    return RootShortName(key.Root()) + "\\" + key.Path() + "\\" + name;
}

bool DeleteRegistryValue(platform::RegistryKey& key, const std::string& name) {
    if (!key.ValueExists(name)) return false;
    if (!Attempt()) return true;
    RecordRegistryValue(key.Root(), key.Path(), name, "Deleted " + ValueText(key, name));
    return Outcome(key.DeleteValue(name), ValueText(key, name));
}

bool DeleteRegistryKey(uint32_t root, const std::string& path) {
    if (!Attempt()) return true;
    return Outcome(platform::DeleteKeyTree(root, path), RootShortName(root) + "\\" + path);
}

bool WriteRegistryString(platform::RegistryKey& key, const std::string& name,
                         const std::string& value) {
    if (!Attempt()) return true;
    RecordRegistryValue(key.Root(), key.Path(), name,
                        "Set " + ValueText(key, name) + " to " + value);
    return Outcome(key.WriteString(name, value), ValueText(key, name));
}

bool WriteRegistryDword(platform::RegistryKey& key, const std::string& name, uint32_t value) {
    if (!Attempt()) return true;
    RecordRegistryValue(key.Root(), key.Path(), name,
                        "Set " + ValueText(key, name) + " to " + std::to_string(value));
    return Outcome(key.WriteDword(name, value), ValueText(key, name));
}

bool CreateRegistrySubKey(platform::RegistryKey& key, const std::string& subPath) {
    if (!Attempt()) return true;
    return Outcome(key.CreateSubKey(subPath), ValueText(key, subPath));
}

void MakeBlockingFolder(const std::string& path, uint32_t attributes) {
    // A blocker that cannot be made leaves no threat behind: it is not counted.
    if (g_mode != ChangeMode::Apply) return;
    platform::MakeFolder(path);
    platform::SetAttributes(path, attributes);
}

}  // namespace kestrone
