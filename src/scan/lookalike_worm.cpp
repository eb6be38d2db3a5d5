// Judging the programs of a drive root against its hidden items.
#include "scan/lookalike_worm.h"

#include "core/text.h"
#include "platform/drives.h"

namespace kestrone {

namespace {

// Extensions of files that Windows starts when they are opened.
bool HasProgramExtension(const std::string& lowerName) {
    static const char* const kExtensions[] = {".exe", ".scr", ".com", ".pif", ".bat", ".cmd",
                                              ".vbs", ".vbe", ".js",  ".jse", ".wsf", ".hta"};
    for (const char* extension : kExtensions) {
        if (EndsWith(lowerName, extension)) return true;
    }
    return false;
}

// Blanks a disguised name may hold before its real extension: spaces, tabs
// and the no-break space, which Explorer shows as nothing.
bool IsDisguisingBlank(char c) {
    return c == ' ' || c == '\t' || static_cast<unsigned char>(c) == 0xA0;
}

bool IsHidden(const platform::FolderEntry& entry) {
    return (entry.attributes & platform::kAttrHidden) != 0;
}

}  // namespace

bool ProgramNameStandsFor(const std::string& programName, const std::string& itemName) {
    size_t dot = programName.rfind('.');
    if (dot == std::string::npos || itemName.empty()) return false;
    if (!HasProgramExtension(LowerCase(programName.substr(dot)))) return false;
    std::string stem = programName.substr(0, dot);
    while (!stem.empty() && IsDisguisingBlank(stem.back())) stem.pop_back();
    return !stem.empty() && SameText(stem, itemName);
}

bool IsWindowsOwnRootItem(const std::string& name) {
    for (const char* own : {"System Volume Information", "$RECYCLE.BIN", "RECYCLER", "RECYCLED",
                            "desktop.ini", "Thumbs.db"}) {
        if (SameText(name, own)) return true;
    }
    return false;
}

std::vector<LookalikeName> JudgeLookalikes(const std::vector<platform::FolderEntry>& rootEntries) {
    std::vector<LookalikeName> found;
    for (const platform::FolderEntry& program : rootEntries) {
        if (program.IsFolder() || !HasProgramExtension(LowerCase(program.name))) continue;
        for (const platform::FolderEntry& item : rootEntries) {
            if (&item == &program || !IsHidden(item) || IsWindowsOwnRootItem(item.name)) continue;
            if (ProgramNameStandsFor(program.name, item.name)) {
                found.push_back({program.name, item.name});
                break;
            }
        }
    }
    return found;
}

std::vector<Lookalike> FindLookalikeWorms(const std::string& driveRoot) {
    std::vector<Lookalike> found;
    if (platform::GetDriveKind(driveRoot) != platform::kDriveRemovable) return found;
    std::vector<platform::FolderEntry> entries = platform::ListFolder(driveRoot + "*");
    for (const LookalikeName& names : JudgeLookalikes(entries)) {
        uint32_t attributes = platform::GetAttributes(driveRoot + names.item);
        found.push_back({driveRoot + names.program, driveRoot + names.item, attributes});
    }
    return found;
}

bool HasLookalikeWorm(const std::string& driveRoot) {
    return !FindLookalikeWorms(driveRoot).empty();
}

}  // namespace kestrone
