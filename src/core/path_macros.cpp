#include "core/path_macros.h"

#include "platform/drives.h"
#include "platform/environment.h"

namespace kestrone {

std::string GetTempDir() { return WithBackslash(platform::GetTempFolder()); }

std::string GetSpecialDir(int csidl) { return WithBackslash(platform::GetSpecialFolder(csidl)); }

std::string GetExeDir() { return FolderPart(platform::GetExecutablePath()); }

TextList ExpandDiskMacro(const std::string& remainder) {
    TextList paths;
    uint32_t mask = platform::GetLogicalDriveMask();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        char letter = static_cast<char>('A' + i);
        std::string root = std::string(1, letter) + ":\\";
        unsigned type = platform::GetDriveKind(root);
        if ((type == platform::kDriveRemovable && letter != 'A') || type == platform::kDriveFixed) {
            paths.push_back(root + remainder);
        }
    }
    return paths;
}

TextList ExpandPathMacros(const TextList& entries) {
    TextList expanded;
    for (const std::string& entry : entries) {
        size_t slash = entry.find('\\');
        std::string head = LowerCase(entry.substr(0, slash));
        std::string remainder = slash == std::string::npos ? std::string() : entry.substr(slash + 1);
        if (head == "%temp%") {
            expanded.push_back(GetTempDir() + remainder);
        } else if (head == "%systemroot%") {
            expanded.push_back(GetSpecialDir(platform::kCsidlSystem) + remainder);
        } else if (head == "%windir%") {
            expanded.push_back(GetSpecialDir(platform::kCsidlWindows) + remainder);
        } else if (head == "%programfiles%") {
            expanded.push_back(GetSpecialDir(platform::kCsidlProgramFiles) + remainder);
        } else if (head == "%disk%") {
            for (std::string& path : ExpandDiskMacro(remainder)) expanded.push_back(std::move(path));
        } else if (entry.find(":\\") != std::string::npos) {
            expanded.push_back(entry);
        }
    }
    return expanded;
}

bool IsPathEntry(const std::string& entry) {
    std::string lower = LowerCase(entry);
    for (const char* marker : {"%temp%", "%systemroot%", "%windir%", "%disk%", "%programfiles%", ":\\"}) {
        if (lower.find(marker) != std::string::npos) return true;
    }
    return false;
}

TextList SelectPathEntries(const TextList& entries) {
    TextList selected;
    for (const std::string& entry : entries) {
        if (IsPathEntry(entry)) selected.push_back(entry);
    }
    return selected;
}

TextList SelectNameEntries(const TextList& entries) {
    TextList selected;
    for (const std::string& entry : entries) {
        if (!IsPathEntry(entry)) selected.push_back(entry);
    }
    return selected;
}

}  // namespace kestrone
