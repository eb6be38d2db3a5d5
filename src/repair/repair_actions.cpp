#include "repair/repair_actions.h"

#include "core/definitions.h"
#include "core/errors.h"
#include "core/machine_changes.h"
#include "core/path_macros.h"
#include "core/undo_log.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/rights.h"
#include "platform/shell_exec.h"
#include "repair/text_file.h"
#include "scan/reg_script.h"

namespace kestrone {

namespace {
constexpr size_t kMaxShortPath = 259;
}  // namespace

void RunRepairScript(const std::string& value) {
    for (const std::string& line : SplitList(value, '$')) ExecRegLine(line);
}

void ImportRegFile(const std::string& fileName, uintptr_t ownerWindow) {
    std::string path = GetExeDir() + fileName;
    if (!platform::FileExists(path)) return;
    std::string shortPath = GetShortPath(path);
    if (shortPath.empty()) return;
    platform::ShellExecuteFile(ownerWindow, "open", kRegistryEditor, "/s " + shortPath, "",
                               platform::kShowHide);
}

std::string HostsFilePath() {
    return GetSpecialDir(platform::kCsidlSystem) + kHostsFileBelowSystem;
}

void ResetHostsFile() {
    std::string path = HostsFilePath();
    if (!platform::FileExists(path)) return;
    // Written with administrator rights: never through a junction or link.
    if (platform::PathPassesThroughLink(path))
        throw EFileError("The hosts file " + path + " is reached through a link; it was left as it is.");
    RecordFileContent(path, "Reset the hosts file " + path);
    RewriteTextFile(path, kResetHostsContent);
}

void RemoveDebuggerHijacks() {
    RegPath options = ParseRegPath(kImageFileExecutionOptionsKey);
    std::vector<std::string> programs;
    {
        platform::RegistryKey key;
        if (!options.valid || !key.Open(options.root, options.keyPath)) return;
        programs = key.SubKeyNames();
    }
    for (const std::string& program : programs) {
        std::string entryPath = options.keyPath + "\\" + program;
        platform::RegistryKey entry;
        if (!entry.Open(options.root, entryPath)) continue;
        bool hijacked = entry.ValueExists(kDebuggerValue);
        entry.Close();
        if (!hijacked) continue;
        RecordRegistryValue(options.root, entryPath, kDebuggerValue,
                            "Removed the Debugger value of " + program);
        DeleteRegistryKey(options.root, entryPath);
    }
}

std::string GetShortPath(const std::string& path) {
    std::string shortPath = platform::GetShortPathForm(path);
    return shortPath.size() <= kMaxShortPath ? shortPath : std::string();
}

}  // namespace kestrone
