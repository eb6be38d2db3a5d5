// Removing shortcut worms from a removable drive.
#include "platform/files.h"
#include "scan/drive_clean.h"
#include "scan/hidden_items.h"
#include "scan/shortcut_worm.h"
#include "scan/worm_payloads.h"

namespace kestrone {

namespace {

void Append(TextList& to, TextList from) {
    for (std::string& line : from) to.push_back(std::move(line));
}

// Folders below the root that held only deleted payloads and are hidden: the
// worm's own, now empty. Windows' own folders and folders that a shortcut
// stood for (the user's, even when empty now) stay.
TextList RemoveEmptiedWormFolders(const TextList& payloads, const std::vector<WormShortcut>& worms,
                                  const std::string& driveRoot) {
    TextList removed;
    for (const std::string& payload : payloads) {
        std::string folder = FolderPart(payload);
        if (folder.size() <= driveRoot.size()) continue;
        folder.pop_back();
        platform::FolderEntry entry{FilePart(folder), platform::GetAttributes(folder), 0};
        bool hidden = entry.attributes != platform::kInvalidAttributes &&
                      (entry.attributes & (platform::kAttrHidden | platform::kAttrSystem));
        if (!hidden || !entry.IsFolder() || IsWindowsOwnFolder(FolderPart(folder), entry) ||
            IndexOfText(removed, folder) >= 0 || !platform::ListFolder(folder + "\\*").empty()) {
            continue;
        }
        bool stoodFor = false;
        for (const WormShortcut& shortcut : worms) {
            stoodFor = stoodFor || NameStandsFor(ShortcutStem(shortcut.path), entry);
        }
        if (stoodFor) continue;
        platform::SetAttributes(folder, platform::kAttrNormal);
        if (platform::RemoveFolder(folder)) removed.push_back(folder);
    }
    return removed;
}

}  // namespace

ShortcutCleanReport CleanShortcutWorms(const std::string& driveRoot) {
    ShortcutCleanReport report;
    std::vector<WormShortcut> worms = FindWormShortcuts(driveRoot);
    if (worms.empty()) return report;
    WormPayloads worm;
    worm.driveRoot = driveRoot;
    TextList shortcuts;
    for (const WormShortcut& shortcut : worms) {
        shortcuts.push_back(shortcut.path);
        for (const std::string& payload : shortcut.launch.payloads) {
            if (IndexOfText(worm.paths, payload) < 0) worm.paths.push_back(payload);
        }
    }
    AddPayloadCodes(worm);  // before the files go: copies elsewhere are known by them
    TerminatePayloadProcesses(worm);
    Append(report.cleaned, DeleteLiteralFileList(worm.paths));
    Append(report.cleaned, DeleteLiteralFileList(shortcuts));
    Append(report.cleaned, RemoveEmptiedWormFolders(worm.paths, worms, driveRoot));
    DeletePayloadStartupValues(worm);
    report.restored = RestoreHiddenItems(driveRoot, worms);
    return report;
}

}  // namespace kestrone
