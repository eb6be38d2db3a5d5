// The guard of an attached removable drive: what a change of the drive's root
// means, and what is done about it. A worm on this PC that writes to a stick
// leaves its Autorun.inf, a worm shortcut, or a look-alike copy beside an item
// it hid; the guard cleans the drive at once, as the full scan does (through
// the doors, so everything removed is kept in the quarantine), and with it
// ends the writer's processes on this PC (by the file code of what it wrote)
// and removes the start-up values that start it.
#pragma once

#include <string>
#include <vector>

#include "core/text.h"
#include "platform/files.h"

namespace kestrone {

// The popup's first line is this followed by the drive root.
inline constexpr char kGuardHeadline[] = "Guard: a worm wrote to ";
// Then the full scan's lines, then each of these on a line of its own with the
// names on the next (the popup is narrow), when any.
inline constexpr char kGuardEndedPrefix[] = "Ended on this PC:";
inline constexpr char kGuardStartupPrefix[] = "Start-up entries removed:";

// The names of a drive root that appeared, or whose size or attributes
// changed, since the listing before. Names that went are no news.
TextList ChangedRootNames(const std::vector<platform::FolderEntry>& before,
                          const std::vector<platform::FolderEntry>& after);

// Whether the changed names bring a worm to the drive: its Autorun.inf (a
// file), a worm shortcut or what it starts from the root, a look-alike copy
// or the item it stands for. What was there before and did not change (a
// worm the user chose to leave on arrival) does not wake the guard.
bool ChangeBringsWorm(const std::string& driveRoot, const TextList& changed);

struct GuardReport {
    bool acted = false;
    TextList lines;                 // the full scan's lines of the drive
    TextList endedProcesses;        // executable names, one per process ended
    TextList removedStartupValues;  // value names of the start-up keys
};

// Looks at the root after a change was announced. When a worm came, the drive
// is cleaned. The baseline is the listing the guard last saw; it becomes the
// root as it is left.
GuardReport GuardDriveRoot(const std::string& driveRoot,
                           std::vector<platform::FolderEntry>& baseline);

// The popup's text for a report that acted; empty for one that did not.
std::string GuardPopupText(const std::string& driveRoot, const GuardReport& report);

}  // namespace kestrone
