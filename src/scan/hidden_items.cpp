#include "scan/hidden_items.h"

#include "core/machine_changes.h"
#include "scan/shortcut_worm.h"

namespace kestrone {

namespace {

using platform::FolderEntry;

constexpr uint32_t kHiddenAndSystem = platform::kAttrHidden | platform::kAttrSystem;

// What the restoring does on the drive. A report-only run changes nothing and
// answers as if it had; a restore that fails leaves no threat behind, so these
// are not counted among the machine's changes.
bool Unhide(const std::string& path, uint32_t attributes) {
    return ShowHiddenItem(path, attributes);
}

bool MoveItem(const std::string& from, const std::string& to) {
    return !ChangesApplied() || platform::MoveEntry(from, to);
}

bool RemoveEmptyFolder(const std::string& folder) {
    return !ChangesApplied() || platform::RemoveFolder(folder);
}

struct RestoreContext {
    std::string driveRoot;
    TextList stems;    // what the worm shortcuts stand for
    TextList removed;  // the worm's own files: never given back
    TextList restored;
};

// Moves the entries of a folder into the root, except the worm's own and
// those whose names the root holds already (they stay, so nothing is
// replaced). True when nothing of the user's is left behind.
bool MoveBackToRoot(const std::string& folder, RestoreContext& context) {
    bool all = true;
    for (const FolderEntry& entry : platform::ListFolder(folder + "\\*")) {
        std::string from = folder + "\\" + entry.name;
        std::string target = context.driveRoot + entry.name;
        if (IndexOfText(context.removed, from) >= 0) continue;
        if (platform::GetAttributes(target) == platform::kInvalidAttributes &&
            MoveItem(from, target)) {
            context.restored.push_back(target);
        } else {
            all = false;
        }
    }
    return all;
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
void RestoreFolder(const std::string& folder, RestoreContext& context) {
    if (!SameText(FolderPart(folder), context.driveRoot) ||
        IndexOfText(context.restored, folder) >= 0) {
        return;
    }
    FolderEntry entry{FilePart(folder), platform::GetAttributes(folder), 0};
    if (entry.attributes == platform::kInvalidAttributes || !entry.IsFolder() ||
        !(entry.attributes & platform::kAttrHidden) ||
        IsWindowsOwnFolder(context.driveRoot, entry)) {
        return;
    }
    if (!IsFacelessName(entry.name)) {
        if (IsHiddenByWorm(entry) && Unhide(folder, entry.attributes))
            context.restored.push_back(folder);
        return;
    }
    bool emptied = MoveBackToRoot(folder, context);
    Unhide(folder, entry.attributes);
    if (!emptied || !RemoveEmptyFolder(folder)) {
        context.restored.push_back(folder);  // what could not go back stays visible in it
    }
}

}  // namespace

bool ShowHiddenItem(const std::string& path, uint32_t attributes) {
    uint32_t kept = attributes & (platform::kAttrReadOnly | platform::kAttrArchive);
    return !ChangesApplied() ||
           platform::SetAttributes(path, kept != 0 ? kept : platform::kAttrNormal);
}

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

TextList RestoreHiddenItems(const std::string& driveRoot, const std::vector<WormShortcut>& worms,
                            const TextList& removed) {
    RestoreContext context{driveRoot, {}, removed, {}};
    for (const WormShortcut& worm : worms) context.stems.push_back(ShortcutStem(worm.path));
    std::vector<FolderEntry> rootEntries = platform::ListFolder(driveRoot + "*");
    for (const FolderEntry& entry : rootEntries) {
        std::string path = driveRoot + entry.name;
        if (!IsHiddenByWorm(entry) || IsWindowsOwnFolder(driveRoot, entry) ||
            IndexOfText(removed, path) >= 0) {
            continue;
        }
        bool stoodFor = false;
        for (const std::string& stem : context.stems)
            stoodFor = stoodFor || NameStandsFor(stem, entry);
        if (stoodFor && Unhide(path, entry.attributes)) context.restored.push_back(path);
    }
    TextList folders = FoldersOpenedBy(worms);
    // Some worms open their store themselves rather than through the
    // shortcut: a faceless hidden + system folder of the root is one too.
    for (const FolderEntry& entry : rootEntries) {
        std::string folder = driveRoot + entry.name;
        if (entry.IsFolder() && IsHiddenByWorm(entry) && IsFacelessName(entry.name) &&
            IndexOfText(folders, folder) < 0) {
            folders.push_back(folder);
        }
    }
    for (const std::string& folder : folders) RestoreFolder(folder, context);
    return context.restored;
}

}  // namespace kestrone
