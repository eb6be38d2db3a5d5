// USB unlock: every program that runs from a removable drive or was started
// with a path on one is closed, and Explorer with them, so that Windows lets
// the drive go. Kestrone itself is never closed, and Explorer, the user's
// desktop and taskbar, is started again afterwards.
#pragma once

#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kUnlockTipMessage[] =
    "  Kestrone will exit programs using USB disk ,\r\n"
    "please save your important data and click ok to continue.";
inline constexpr char kUnlockDoneMessage[] =
    "Unlock usb device successfully ,you can remove it now.";
inline constexpr char kExplorerProgram[] = "explorer.exe";

// One root per removable drive letter, in order, then "explorer.exe".
TextList UnlockMatchList(const std::string& removableLetters);

struct UnlockResult {
    TextList terminated;  // snapshot names of the closed processes
    TextList survivors;   // processes that hold a drive but could not be closed
    bool explorerRestarted = false;
};
UnlockResult UnlockUsbDrives();

// The closing message: success only when nothing resisted; otherwise the
// processes that still hold the drive are named.
std::string UnlockMessage(const UnlockResult& result);

}  // namespace kestrone
