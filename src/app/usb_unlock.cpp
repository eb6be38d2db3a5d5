#include "app/usb_unlock.h"

#include <cctype>

#include "core/definitions.h"
#include "core/machine_changes.h"
#include "platform/processes.h"
#include "platform/shell_exec.h"
#include "scan/process_info.h"
#include "scan/process_kill.h"

namespace kestrone {

std::string PathOnDrives(const std::string& commandLine, const std::string& removableLetters) {
    std::string upper = UpperCase(commandLine);
    size_t best = std::string::npos;
    for (char letter : UpperCase(removableLetters)) {
        size_t at = upper.find(std::string(1, letter) + ":\\");
        // "XE:\" is no drive root of E: but part of a longer word.
        while (at != std::string::npos && at > 0 && std::isalnum(static_cast<unsigned char>(upper[at - 1])))
            at = upper.find(std::string(1, letter) + ":\\", at + 1);
        if (at < best) best = at;
    }
    if (best == std::string::npos) return "";
    // A quoted path runs to its closing quote, a bare one to the next blank.
    bool quoted = best > 0 && commandLine[best - 1] == '"';
    size_t end = commandLine.find(quoted ? '"' : ' ', best);
    return commandLine.substr(best, end == std::string::npos ? std::string::npos : end - best);
}

std::vector<DriveHolder> FindDriveHolders(const std::string& removableLetters) {
    std::vector<DriveHolder> holders;
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        if (IsUntouchableProcess(process.id)) continue;
        std::string commandLine = platform::WideToAnsi(GetProcessCommandLine(process.id));
        DriveHolder holder;
        holder.processId = process.id;
        holder.name = process.exeName;
        holder.path = GetProcessExePath(process.id);
        holder.holds = PathOnDrives(commandLine, removableLetters);
        if (holder.holds.empty()) holder.holds = PathOnDrives(holder.path, removableLetters);
        holder.explorer = SameText(ProcessFilePart(process.exeName), kExplorerProgram) ||
                          UpperCase(commandLine).find(UpperCase(kExplorerProgram)) != std::string::npos;
        if (holder.holds.empty() && !holder.explorer) continue;
        if (holder.holds.empty()) holder.holds = "(Explorer windows)";
        holders.push_back(holder);
    }
    return holders;
}

UnlockResult CloseDriveHolders(const std::vector<DriveHolder>& chosen) {
    UnlockResult result;
    bool explorerClosed = false;
    std::vector<platform::ProcessEntry> running = platform::SnapshotProcesses();
    for (const DriveHolder& holder : chosen) {
        bool stillThere = false;
        for (const platform::ProcessEntry& process : running)
            if (process.id == holder.processId && SameText(process.exeName, holder.name)) stillThere = true;
        if (!stillThere) continue;  // ended meanwhile, or its number now belongs to another
        if (IsUntouchableProcess(holder.processId) || !EndProcess(holder.processId)) {
            result.survivors.push_back(holder.name);
            continue;
        }
        result.terminated.push_back(holder.name);
        if (SameText(ProcessFilePart(holder.name), kExplorerProgram)) explorerClosed = true;
    }
    // Without Explorer the user has no desktop and no taskbar.
    if (explorerClosed && !IsProcessRunning(kExplorerProgram))
        result.explorerRestarted =
            platform::RunCommandLine(kExplorerProgram, platform::kShowNormal) > 31;
    return result;
}

UnlockResult UnlockUsbDrives() {
    return CloseDriveHolders(FindDriveHolders(GetRemovableDriveLetters()));
}

std::string ClosedProgramsLine(const UnlockResult& result) {
    if (result.terminated.empty()) return "No program was closed.";
    std::string names;
    for (const std::string& name : result.terminated) names += (names.empty() ? "" : ", ") + name;
    return "Closed: " + names + ".";
}

std::string UnlockMessage(const UnlockResult& result) {
    if (result.survivors.empty()) return kUnlockDoneMessage;
    std::string names;
    for (const std::string& name : result.survivors) {
        if (!names.empty()) names += ", ";
        names += name;
    }
    return "Unable to unlock the usb device: these programs are still using it and could not be "
           "closed:\r\n" +
           names + "\r\nClose them yourself, then remove the device.";
}

}  // namespace kestrone
