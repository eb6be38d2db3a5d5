// Look-alike worms on removable drives: the worm hides an item of the drive
// root and puts a copy of itself beside it under the item's name, so that the
// user starts the worm while opening a folder or a document. The folder-icon
// kind puts "Photos.exe" (with a folder icon) beside the hidden folder
// Photos; the disguised kind puts "Report.docx.exe", or "Report.docx" and a
// long run of blanks before ".exe", beside the hidden Report.docx. A program
// whose name stands for no hidden item (setup.exe, a portable app's launcher)
// is the user's and stays.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/files.h"
#include "scan/worm_clean_report.h"

namespace kestrone {

// True when a program's name is an item's name followed by a program
// extension, with blanks allowed before the extension: "Photos.exe" and
// "Photos    .scr" for Photos, "Report.docx.exe" for Report.docx.
bool ProgramNameStandsFor(const std::string& programName, const std::string& itemName);

// Hidden items of a drive root that Windows itself keeps there (the recycle
// bins, System Volume Information, desktop.ini, Thumbs.db): no worm takes
// their place, and they keep their attributes.
bool IsWindowsOwnRootItem(const std::string& name);

// One copy of the worm and the item it stands for, by their names in the root.
struct LookalikeName {
    std::string program;
    std::string item;
};

// The decision on one listing of a drive root: every program file whose name
// stands for a hidden item of the same root (not one of Windows' own).
std::vector<LookalikeName> JudgeLookalikes(const std::vector<platform::FolderEntry>& rootEntries);

// The same on a drive, as full paths, with the item's attributes as found.
struct Lookalike {
    std::string program;
    std::string item;
    uint32_t itemAttributes = 0;
};
// Only removable drives are judged.
std::vector<Lookalike> FindLookalikeWorms(const std::string& driveRoot);
bool HasLookalikeWorm(const std::string& driveRoot);

// Removes the copies found before (through the delete door, so each is kept in
// the quarantine), terminates their processes, removes start-up values that
// start them (by path or file code) and shows again each item whose copy went.
WormCleanReport CleanLookalikeWorms(const std::string& driveRoot,
                                    const std::vector<Lookalike>& found);

}  // namespace kestrone
