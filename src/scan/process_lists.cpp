#include "scan/process_lists.h"

#include "core/definitions.h"
#include "core/path_macros.h"
#include "core/shell.h"
#include "scan/process_info.h"

namespace kestrone {

namespace {
const char kNativeSmssPath[] = "\\SYSTEMROOT\\SYSTEM32\\SMSS.EXE";
}  // namespace

TextList ReadSystemProcesses() {
    TextList entries = ExpandPathMacros(
        SplitList(ReadDataString(kProcessSection, "SystemProcesses", "", kProcessFile), ','));
    for (std::string& entry : entries) entry = UpperCase(entry);
    return entries;
}

TextList ReadTrustProcesses() {
    return SplitList(ReadDataString(kProcessSection, "TrustProcesses", "", kProcessFile), ',');
}

bool IsSystemPath(const std::string& rawPath, const TextList& systemEntries) {
    std::string path = UpperCase(rawPath);
    for (const std::string& entry : systemEntries) {
        // A process without a readable path counts as the system's own once
        // the list names anything at all.
        if (path.empty() || entry == path || path.find(entry) != std::string::npos ||
            path == kNativeSmssPath) {
            return true;
        }
    }
    return false;
}

bool IsTrustedPath(const std::string& rawPath, const TextList& trustEntries) {
    std::string path = UpperCase(rawPath);
    if (path.empty()) return false;
    for (const std::string& entry : trustEntries) {
        if (!entry.empty() && path.find(entry) != std::string::npos) return true;
    }
    return false;
}

bool IsSystemProcess(uint32_t processId) {
    return IsSystemPath(GetProcessExePath(processId), ReadSystemProcesses());
}

bool IsTrustedProcess(uint32_t processId) {
    return IsTrustedPath(GetProcessExePath(processId), ReadTrustProcesses());
}

bool AddTrustedProcesses(const TextList& paths) {
    TextList stored = ReadTrustProcesses();
    TextList list;
    for (const std::string& path : paths) {
        if (!path.empty() && IndexOfText(list, path) < 0 && IndexOfText(stored, path) < 0) {
            list.push_back(path);
        }
    }
    if (list.empty()) return true;  // everything asked for is trusted already
    for (std::string& entry : stored) list.push_back(std::move(entry));
    std::string joined = JoinList(list);
    if (joined.size() > kMaxTrustListLength) {
        Shell().ShowPrompt(kTrustListFullMessage);
        return false;
    }
    WriteDataString(kProcessSection, "TrustProcesses", joined, kProcessFile);
    return true;
}

}  // namespace kestrone
