// Removing shortcut worms from a removable drive.
#include "core/machine_changes.h"
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

bool StoodForByAShortcut(const platform::FolderEntry& entry,
                         const std::vector<WormShortcut>& worms) {
    for (const WormShortcut& shortcut : worms) {
        if (NameStandsFor(ShortcutStem(shortcut.path), entry)) return true;
    }
    return false;
}

// Whether a folder holds nothing but files of the worm that were deleted
// (decided from the list, so that a report-only run decides alike).
bool HeldOnlyDeleted(const std::string& folder, const TextList& deleted) {
    for (const platform::FolderEntry& entry : platform::ListFolder(folder + "\\*")) {
        if (IndexOfText(deleted, folder + "\\" + entry.name) < 0) return false;
    }
    return true;
}

// The hidden folders below the root that held only deleted payloads: the
// worm's own. Windows' own folders and folders that a shortcut stood for (the
// user's, even when empty now) stay.
TextList RemoveEmptiedWormFolders(const TextList& deleted, const std::vector<WormShortcut>& worms,
                                  const std::string& driveRoot) {
    TextList removed;
    for (const std::string& payload : deleted) {
        std::string folder = FolderPart(payload);
        if (folder.size() <= driveRoot.size()) continue;
        folder.pop_back();
        platform::FolderEntry entry{FilePart(folder), platform::GetAttributes(folder), 0};
        bool hidden = entry.attributes != platform::kInvalidAttributes &&
                      (entry.attributes & (platform::kAttrHidden | platform::kAttrSystem));
        if (!hidden || !entry.IsFolder() || IsWindowsOwnFolder(FolderPart(folder), entry) ||
            StoodForByAShortcut(entry, worms) || IndexOfText(removed, folder) >= 0 ||
            !HeldOnlyDeleted(folder, deleted)) {
            continue;
        }
        if (!ChangesApplied() || (platform::SetAttributes(folder, platform::kAttrNormal) &&
                                  platform::RemoveFolder(folder))) {
            removed.push_back(folder);
        }
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
    TextList deletedPayloads = DeleteLiteralFileList(worm.paths);
    Append(report.cleaned, deletedPayloads);
    Append(report.cleaned, DeleteLiteralFileList(shortcuts));
    TextList wormFolders = RemoveEmptiedWormFolders(deletedPayloads, worms, driveRoot);
    Append(report.cleaned, wormFolders);
    DeletePayloadStartupValues(worm);
    TextList removed = worm.paths;
    Append(removed, shortcuts);
    Append(removed, wormFolders);
    report.restored = RestoreHiddenItems(driveRoot, worms, removed);
    return report;
}

}  // namespace kestrone
