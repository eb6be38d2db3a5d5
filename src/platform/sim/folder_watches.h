// The simulated machine's folder watches: tests announce that something was
// written to a folder, and every watch of that folder is told at once (on the
// test's thread: the simulated machine has no threads of its own).
#pragma once

#include <string>

namespace kestrone::sim {

// Tells each running watch of the folder (compared without regard to case or
// a trailing backslash) that it changed.
void AnnounceFolderChange(const std::string& folder);
// How many watches of the folder are running.
int RunningWatches(const std::string& folder);

}  // namespace kestrone::sim
