// Giving back what a shortcut worm hid: the user's files and folders of a
// drive root that the worm marked hidden + system, and the items it moved into
// a hidden folder of its own. Windows' own folders keep their attributes.
#pragma once

#include <string>
#include <vector>

#include "core/text.h"
#include "platform/files.h"

namespace kestrone {

struct WormShortcut;

// Hidden and system both set: how such worms hide what they found.
bool IsHiddenByWorm(const platform::FolderEntry& entry);
// True when a shortcut's stem stands for the entry: the same name, or, for a
// file, its name without extension ("report" for report.doc).
bool NameStandsFor(const std::string& stem, const platform::FolderEntry& entry);
// Folders that Windows keeps hidden in a drive root: "System Volume
// Information", "$RECYCLE.BIN", and "RECYCLER" while it holds nothing but
// the recycle bins of users (folders "S-1-...").
bool IsWindowsOwnFolder(const std::string& driveRoot, const platform::FolderEntry& entry);
// A folder name without letters or digits (blanks, punctuation, the
// no-break space 0xA0): the kind of name a worm gives the folder it moves the
// user's files into, so that it looks like nothing.
bool IsFacelessName(const std::string& name);

// Shows a hidden item again: hidden and system go, read-only and archive stay.
// A report-only run changes nothing and answers true.
bool ShowHiddenItem(const std::string& path, uint32_t attributes);

// Makes the hidden items visible that the worm shortcuts stand for, and puts
// back into the root what the worm moved into a faceless hidden folder (one
// that a shortcut opens, or any faceless hidden + system folder of the root);
// the folder goes when it is empty, else it is shown. A named hidden + system
// folder that a shortcut opens is shown again. Runs after the shortcuts and
// payloads are deleted, on a drive where worm shortcuts were found; the
// worm's own files and folders (`removed`: payloads, shortcuts, its emptied
// folders) are never given back.
// Returns the restored paths. A report-only run changes nothing and returns
// what a real run would restore.
TextList RestoreHiddenItems(const std::string& driveRoot, const std::vector<WormShortcut>& worms,
                            const TextList& removed);

}  // namespace kestrone
