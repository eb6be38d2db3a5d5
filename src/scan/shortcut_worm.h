// Shortcut worms on removable drives: the worm hides the user's files and
// folders and puts shortcuts (.lnk) with their names in the drive root; a
// shortcut starts the worm's payload (directly or through cmd.exe, a script
// host, rundll32.exe, ...) and then opens the real folder. The shortcuts are
// read with our own reader and never started.
#pragma once

#include <string>
#include <vector>

#include "core/text.h"
#include "scan/launch_command.h"
#include "scan/shell_link.h"
#include "scan/worm_clean_report.h"

namespace kestrone {

// What a shortcut in a drive root starts and opens on that drive.
struct ShortcutLaunch {
    TextList payloads;       // files on the drive it runs
    TextList openedFolders;  // folders on the drive it opens
};

// The files and folders on the drive that a shortcut starts or opens, read
// from every spelling of its target with its arguments.
ShortcutLaunch ReadShortcutLaunch(const ShellLink& link, const std::string& driveRoot);

// True when a launched file runs as a program: a file that rundll32.exe, a
// script host, mshta.exe or regsvr32.exe is told to run, whatever its name, or
// a file started directly or opened whose extension makes it a program or script.
bool RunsAsProgram(const LaunchedFile& file, const std::string& resolvedPath);

// A worm shortcut in a drive root.
struct WormShortcut {
    std::string path;  // the .lnk file
    ShortcutLaunch launch;
};

// The worm shortcuts in the root of a drive: shortcuts that run a program or
// script lying on the same drive, where the worm's hand shows: the payload,
// or a folder on its way, is hidden, or the shortcut stands for an item of the
// root that is hidden (a user's own shortcut to a visible program on the
// drive, or to anything elsewhere, stays). Only removable drives are judged.
std::vector<WormShortcut> FindWormShortcuts(const std::string& driveRoot);
bool HasShortcutWorm(const std::string& driveRoot);

// The name a shortcut stands for: its file name without ".lnk".
std::string ShortcutStem(const std::string& shortcutPath);

using ShortcutCleanReport = WormCleanReport;

// Removes the shortcut worms of a removable drive: terminates the payloads'
// processes (never a system launcher by its name alone), deletes payloads and
// shortcuts, removes start-up values that start a payload, and gives the user
// back the files and folders the worm hid.
ShortcutCleanReport CleanShortcutWorms(const std::string& driveRoot);

}  // namespace kestrone
