// Update.exe's window: the installed definitions, each step of the check,
// a progress bar for the download, the outcome in words; a button for a
// package folder the user picks (for PCs without a network). The work runs
// on a thread of its own so the window keeps answering.
#pragma once

#include <windows.h>

#include <string>

namespace kestrone::updater {

// Shows the window and starts a check at once (of the mirrors, or of the
// package folder when one is given). Returns the exit code of the last run.
int ShowUpdaterWindow(HINSTANCE instance, const std::string& packageFolder);

}  // namespace kestrone::updater
