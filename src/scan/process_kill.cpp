#include "scan/process_kill.h"

#include "core/machine_changes.h"
#include "core/tip.h"
#include "platform/environment.h"
#include "platform/processes.h"
#include "scan/process_info.h"

namespace kestrone {

namespace {

bool ExplorerMayBeClosed() {
    return ShowTip(kTipCloseExplorer, kCloseExplorerMessage) == kTipContinue;
}

}  // namespace

bool IsUntouchableProcess(uint32_t processId) {
    return processId == platform::GetCurrentProcessIdentifier() ||
           processId == platform::GetDesktopHostProcessIdentifier() || IsCriticalProcess(processId);
}

KillMatch MatchKillEntry(const std::string& entry, const std::string& exeName, KillNames mode) {
    std::string upper = UpperCase(entry);
    std::string filePart = UpperCase(ProcessFilePart(exeName));
    size_t mark = upper.find('?');
    if (mode == KillNames::WithFragments && mark != std::string::npos) {
        upper.erase(mark, 1);
        bool found = !upper.empty() && filePart.find(upper) != std::string::npos;
        return found ? KillMatch::Fragment : KillMatch::None;
    }
    if (upper.empty()) return KillMatch::None;
    return upper == filePart || upper == UpperCase(exeName) ? KillMatch::Name : KillMatch::None;
}

TextList KillProcessesByName(const TextList& entries, KillNames mode) {
    TextList killed;
    if (entries.empty()) return killed;
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        if (IsUntouchableProcess(process.id)) continue;
        for (const std::string& entry : entries) {
            KillMatch match = MatchKillEntry(entry, process.exeName, mode);
            if (match == KillMatch::None) continue;
            if (match == KillMatch::Name && UpperCase(entry) == "EXPLORER.EXE" &&
                !ExplorerMayBeClosed()) {
                continue;
            }
            if (EndProcess(process.id)) killed.push_back(entry);
        }
    }
    return killed;
}

namespace {
// The first entry (upper-cased, never empty) the command line contains, or null.
const std::string* FirstEntryIn(const std::string& upperCommandLine, const TextList& upperEntries) {
    for (const std::string& entry : upperEntries)
        if (!entry.empty() && upperCommandLine.find(entry) != std::string::npos) return &entry;
    return nullptr;
}
}  // namespace

CommandLineKill KillProcessesByCommandLineReport(const TextList& entries) {
    CommandLineKill result;
    TextList upperEntries;
    for (const std::string& entry : entries) upperEntries.push_back(UpperCase(entry));
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        if (IsUntouchableProcess(process.id)) continue;
        std::string commandLine =
            UpperCase(platform::WideToAnsi(GetProcessCommandLine(process.id)));
        if (!FirstEntryIn(commandLine, upperEntries)) continue;
        if (EndProcess(process.id))
            result.terminated.push_back(process.exeName);
        else
            result.survivors.push_back(process.exeName);
    }
    return result;
}

TextList KillProcessesByCommandLine(const TextList& entries) {
    TextList killed;
    if (entries.empty()) return killed;
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        if (IsUntouchableProcess(process.id)) continue;
        std::string commandLine =
            UpperCase(platform::WideToAnsi(GetProcessCommandLine(process.id)));
        for (const std::string& entry : entries) {
            // An empty entry names nothing (it would otherwise match every process).
            std::string upper = UpperCase(entry);
            if (upper.empty() || commandLine.find(upper) == std::string::npos) continue;
            if (EndProcess(process.id)) killed.push_back(entry);
        }
    }
    return killed;
}

}  // namespace kestrone
