#include "scan/hidden_items.h"

#include "scan/shortcut_worm.h"

namespace kestrone {

namespace {

using platform::FolderEntry;

constexpr uint32_t kHiddenAndSystem = platform::kAttrHidden | platform::kAttrSystem;

// Clears hidden and system, keeping read-only and archive as they were.
bool Unhide(const std::string& path, uint32_t attributes) {
    uint32_t kept = attributes & (platform::kAttrReadOnly | platform::kAttrArchive);
    return platform::SetAttributes(path, kept != 0 ? kept : platform::kAttrNormal);
}

// Moves the entries of a folder into the root, except those whose names the
// root holds already (they stay, so nothing is replaced). Returns the new paths.
TextList MoveBackToRoot(const std::string& folder, const std::string& driveRoot) {
    TextList moved;
    for (const FolderEntry& entry : platform::ListFolder(folder + "\\*")) {
        std::string target = driveRoot + entry.name;
        if (platform::GetAttributes(target) != platform::kInvalidAttributes) continue;
        if (platform::MoveEntry(folder + "\\" + entry.name, target)) moved.push_back(target);
    }
    return moved;
}

TextList StemsOf(const std::vector<WormShortcut>& worms) {
    TextList stems;
    for (const WormShortcut& worm : worms) stems.push_back(ShortcutStem(worm.path));
    return stems;
}

TextList FoldersOpenedBy(const std::vector<WormShortcut>& worms) {
    TextList folders;
    for (const WormShortcut& worm : worms) {
        for (const std::string& folder : worm.launch.openedFolders) {
            if (IndexOfText(folders, folder) < 0) folders.push_back(folder);
        }
    }
    return folders;
}

// A hidden folder of the root that a worm shortcut opens, or a faceless one:
// a faceless folder is the worm's store of the user's files and is emptied
// back into the root; a named one is a user's folder and is only shown again.
void RestoreFolder(const std::string& folder, const std::string& driveRoot, TextList& restored) {
    if (!SameText(FolderPart(folder), driveRoot) || IndexOfText(restored, folder) >= 0) return;
    FolderEntry entry{FilePart(folder), platform::GetAttributes(folder), 0};
    if (entry.attributes == platform::kInvalidAttributes || !entry.IsFolder() ||
        !(entry.attributes & platform::kAttrHidden) || IsWindowsOwnFolder(driveRoot, entry)) {
        return;
    }
    if (!IsFacelessName(entry.name)) {
        if (IsHiddenByWorm(entry) && Unhide(folder, entry.attributes)) restored.push_back(folder);
        return;
    }
    for (std::string& path : MoveBackToRoot(folder, driveRoot)) restored.push_back(std::move(path));
    Unhide(folder, entry.attributes);
    if (!platform::ListFolder(folder + "\\*").empty() || !platform::RemoveFolder(folder)) {
        restored.push_back(folder);  // what could not go back stays visible in it
    }
}

}  // namespace

bool IsHiddenByWorm(const FolderEntry& entry) {
    return (entry.attributes & kHiddenAndSystem) == kHiddenAndSystem;
}

bool NameStandsFor(const std::string& stem, const FolderEntry& entry) {
    if (stem.empty()) return false;
    if (SameText(entry.name, stem)) return true;
    size_t dot = entry.name.rfind('.');
    return !entry.IsFolder() && dot != std::string::npos &&
           SameText(entry.name.substr(0, dot), stem);
}

bool IsWindowsOwnFolder(const std::string& driveRoot, const FolderEntry& entry) {
    if (!entry.IsFolder()) return false;
    if (SameText(entry.name, "System Volume Information") || SameText(entry.name, "$RECYCLE.BIN")) {
        return true;
    }
    if (!SameText(entry.name, "RECYCLER")) return false;
    for (const FolderEntry& bin : platform::ListFolder(driveRoot + entry.name + "\\*")) {
        if (!bin.IsFolder() || !StartsWith(UpperCase(bin.name), "S-1-")) return false;
    }
    return true;
}

bool IsFacelessName(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name) {
        unsigned char u = static_cast<unsigned char>(c);
        bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (letterOrDigit || (u >= 0x80 && u != 0xA0)) return false;
    }
    return true;
}

TextList RestoreHiddenItems(const std::string& driveRoot, const std::vector<WormShortcut>& worms) {
    TextList restored;
    TextList stems = StemsOf(worms);
    for (const FolderEntry& entry : platform::ListFolder(driveRoot + "*")) {
        if (!IsHiddenByWorm(entry) || IsWindowsOwnFolder(driveRoot, entry)) continue;
        bool stoodFor = false;
        for (const std::string& stem : stems) stoodFor = stoodFor || NameStandsFor(stem, entry);
        if (stoodFor && Unhide(driveRoot + entry.name, entry.attributes)) {
            restored.push_back(driveRoot + entry.name);
        }
    }
    TextList folders = FoldersOpenedBy(worms);
    // Some worms open their store themselves rather than through the
    // shortcut: a faceless hidden + system folder of the root is one too.
    for (const FolderEntry& entry : platform::ListFolder(driveRoot + "*")) {
        std::string folder = driveRoot + entry.name;
        if (entry.IsFolder() && IsHiddenByWorm(entry) && IsFacelessName(entry.name) &&
            IndexOfText(folders, folder) < 0) {
            folders.push_back(folder);
        }
    }
    for (const std::string& folder : folders) RestoreFolder(folder, driveRoot, restored);
    return restored;
}

}  // namespace kestrone
