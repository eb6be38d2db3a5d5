#include "scan/process_info.h"

#include "core/definitions.h"
#include "core/path_macros.h"
#include "platform/processes.h"

namespace kestrone {

namespace {
// winlogon.exe is listed twice; the duplicate is harmless and kept as shipped.
constexpr char kCriticalProcessList[] =
    "%systemroot%\\winlogon.exe,%systemroot%\\smss.exe,%systemroot%\\csrss.exe,"
    "%systemroot%\\winlogon.exe,%systemroot%\\services.exe,%systemroot%\\lsass.exe,"
    "%systemroot%\\svchost.exe,%systemroot%\\spoolsv.exe,%systemroot%\\alg.exe";
// smss.exe as early boot reports it, in native form.
constexpr char kNativeSmssPath[] = "\\SystemRoot\\System32\\smss.exe";
}  // namespace

std::string GetProcessExePath(uint32_t processId) {
    return platform::QueryProcessExePath(processId);
}

std::u16string GetProcessCommandLine(uint32_t processId) {
    return platform::QueryProcessCommandLine(processId);
}

TextList CriticalProcessPaths() {
    return ExpandPathMacros(SplitList(kCriticalProcessList, ','));
}

bool IsCriticalPath(const std::string& exePath) {
    if (exePath.empty()) return false;
    if (exePath == kNativeSmssPath) return true;
    std::string upper = UpperCase(exePath);
    for (const std::string& entry : CriticalProcessPaths()) {
        if (UpperCase(entry) == upper) return true;
    }
    return false;
}

bool IsCriticalProcess(uint32_t processId) {
    return IsCriticalPath(GetProcessExePath(processId));
}

bool SetDebugPrivilege(bool enable) {
    return platform::AdjustDebugPrivilege(enable);
}

std::string ProcessFilePart(std::string_view exeName) {
    size_t separator = exeName.find_last_of("\\:");
    return std::string(separator == std::string_view::npos ? exeName
                                                           : exeName.substr(separator + 1));
}

uint32_t FindProcessByName(const std::string& name, bool matchFullName) {
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        bool match = matchFullName
                         ? SameText(process.exeName, name)
                         : SameText(ProcessFilePart(process.exeName), ProcessFilePart(name));
        if (match) return process.id;
    }
    return 0;
}

bool IsProcessRunning(const std::string& name) {
    std::string upper = UpperCase(name);
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        if (UpperCase(ProcessFilePart(process.exeName)) == upper ||
            UpperCase(process.exeName) == upper) {
            return true;
        }
    }
    return false;
}

TextList ListProcessNames() {
    TextList names;
    for (const platform::ProcessEntry& process : platform::SnapshotProcesses()) {
        names.push_back(process.exeName);
    }
    return names;
}

}  // namespace kestrone
