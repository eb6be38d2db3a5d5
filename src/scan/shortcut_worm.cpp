// Judging the shortcuts in a drive root.
#include "scan/shortcut_worm.h"

#include "platform/drives.h"
#include "platform/files.h"
#include "scan/drive_paths.h"
#include "scan/hidden_items.h"

namespace kestrone {

namespace {

constexpr uint32_t kHiddenOrSystem = platform::kAttrHidden | platform::kAttrSystem;

// Extensions of files that Windows runs as programs or scripts when they are
// started or opened.
bool HasProgramExtension(const std::string& path) {
    static const char* const kExtensions[] = {".exe", ".com", ".scr", ".pif", ".bat", ".cmd",
                                              ".vbs", ".vbe", ".js",  ".jse", ".wsf", ".wsh",
                                              ".hta", ".cpl", ".msi", ".msc", ".ps1", ".jar"};
    std::string lower = LowerCase(FilePart(path));
    for (const char* extension : kExtensions) {
        if (EndsWith(lower, extension)) return true;
    }
    return false;
}

void AddOnce(TextList& list, const std::string& path) {
    if (IndexOfText(list, path) < 0) list.push_back(path);
}

// The folder a shortcut's commands run in: its working folder when that lies
// on the drive, else the drive root (where the shortcut itself lies).
std::string BaseFolderOf(const ShellLink& link, const std::string& driveRoot) {
    std::string folder = ResolveOnDrive(link.workingDir, driveRoot, driveRoot);
    return !folder.empty() && platform::FolderExists(folder) ? WithBackslash(folder) : driveRoot;
}

// True when the file, or a folder between it and the root, is hidden or system.
bool HiddenOnTheWay(const std::string& path, const std::string& driveRoot) {
    for (std::string at = path; at.size() > driveRoot.size(); at = FolderPart(at)) {
        if (!at.empty() && at.back() == '\\') at.pop_back();
        uint32_t attributes = platform::GetAttributes(at);
        if (attributes != platform::kInvalidAttributes && (attributes & kHiddenOrSystem))
            return true;
    }
    return false;
}

bool StandsForHiddenItem(const std::string& shortcutPath, const std::string& driveRoot) {
    std::string stem = ShortcutStem(shortcutPath);
    for (const platform::FolderEntry& entry : platform::ListFolder(driveRoot + "*")) {
        if (IsHiddenByWorm(entry) && NameStandsFor(stem, entry)) return true;
    }
    return false;
}

bool JudgeShortcut(const std::string& path, const std::string& driveRoot, WormShortcut& worm) {
    ShellLink link;
    if (!ReadShellLink(path, link)) return false;  // no shortcut Windows could start either
    worm.path = path;
    worm.launch = ReadShortcutLaunch(link, driveRoot);
    if (worm.launch.payloads.empty()) return false;
    for (const std::string& payload : worm.launch.payloads) {
        if (HiddenOnTheWay(payload, driveRoot)) return true;
    }
    return StandsForHiddenItem(path, driveRoot);
}

}  // namespace

bool RunsAsProgram(const LaunchedFile& file, const std::string& resolvedPath) {
    if (file.role == LaunchRole::SystemLauncher) return true;  // a launcher's name on the drive
    bool runner = file.via == Launcher::Rundll32 || file.via == Launcher::ScriptHost ||
                  file.via == Launcher::Mshta || file.via == Launcher::Regsvr32;
    if (file.role == LaunchRole::Payload && runner) return true;
    return HasProgramExtension(resolvedPath);
}

ShortcutLaunch ReadShortcutLaunch(const ShellLink& link, const std::string& driveRoot) {
    ShortcutLaunch launch;
    std::string base = BaseFolderOf(link, driveRoot);
    for (const std::string& target : link.Targets()) {
        std::string command = "\"" + target + "\" " + link.arguments;
        for (const LaunchedFile& file : FilesLaunchedBy(command)) {
            if (file.role == LaunchRole::SystemLauncher &&
                file.path.find_first_of("\\/") == std::string::npos) {
                continue;  // the system's own launcher
            }
            std::string resolved = ResolveOnDrive(file.path, driveRoot, base);
            if (resolved.empty()) continue;
            if (platform::FolderExists(resolved)) {
                AddOnce(launch.openedFolders, resolved);
            } else if (platform::FileExists(resolved) && RunsAsProgram(file, resolved)) {
                AddOnce(launch.payloads, resolved);
            }
        }
    }
    return launch;
}

std::string ShortcutStem(const std::string& shortcutPath) {
    std::string name = FilePart(shortcutPath);
    return EndsWith(LowerCase(name), ".lnk") ? name.substr(0, name.size() - 4) : name;
}

std::vector<WormShortcut> FindWormShortcuts(const std::string& driveRoot) {
    std::vector<WormShortcut> worms;
    if (platform::GetDriveKind(driveRoot) != platform::kDriveRemovable) return worms;
    for (const platform::FolderEntry& entry : platform::ListFolder(driveRoot + "*.lnk")) {
        // The mask also finds short names; only real .lnk files are shortcuts.
        if (entry.IsFolder() || !EndsWith(LowerCase(entry.name), ".lnk")) continue;
        WormShortcut worm;
        if (JudgeShortcut(driveRoot + entry.name, driveRoot, worm))
            worms.push_back(std::move(worm));
    }
    return worms;
}

bool HasShortcutWorm(const std::string& driveRoot) {
    return !FindWormShortcuts(driveRoot).empty();
}

}  // namespace kestrone
