// USB unlock: every program that runs from a removable drive or was started
// with a path on one is closed, and Explorer with them, so that Windows lets
// the drive go. Kestrone itself is never closed, and Explorer, the user's
// desktop and taskbar, is started again afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"

namespace kestrone {

inline constexpr char kUnlockTipMessage[] =
    "  Kestrone will exit programs using USB disk ,\r\n"
    "please save your important data and click ok to continue.";
inline constexpr char kUnlockDoneMessage[] =
    "Unlock usb device successfully ,you can remove it now.";
inline constexpr char kExplorerProgram[] = "explorer.exe";

// A program that holds a removable drive: it runs from the drive, or its
// command line names a file or folder on it (what it has open, as far as
// Windows tells every program), or it is Explorer, whose windows may show it.
struct DriveHolder {
    uint32_t processId = 0;
    std::string name;   // the snapshot name, "viewer.exe"
    std::string path;   // the program file, when Windows gives it
    std::string holds;  // the path on the drive its command line names, or "(Explorer windows)"
    bool explorer = false;
};

// The holders, in the process list's order; never Kestrone, nor a process no
// list may end (Windows' critical ones, the desktop's host).
std::vector<DriveHolder> FindDriveHolders(const std::string& removableLetters);
// The first path on one of the drives that a command line names ("" for none).
std::string PathOnDrives(const std::string& commandLine, const std::string& removableLetters);

struct UnlockResult {
    TextList terminated;  // snapshot names of the closed processes
    TextList survivors;   // processes that hold a drive but could not be closed
    bool explorerRestarted = false;
};
// Ends the chosen holders (a process is ended only while it is still the one
// that was listed) and brings Explorer back if it was among them.
UnlockResult CloseDriveHolders(const std::vector<DriveHolder>& chosen);
// Every holder, without asking: FindDriveHolders, then CloseDriveHolders.
UnlockResult UnlockUsbDrives();

// "Closed: viewer.exe, tool.exe." for the history and the report.
std::string ClosedProgramsLine(const UnlockResult& result);

// The closing message: success only when nothing resisted; otherwise the
// processes that still hold the drive are named.
std::string UnlockMessage(const UnlockResult& result);

}  // namespace kestrone
