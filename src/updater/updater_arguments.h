// Update.exe's command line:
//   Update.exe                     the window; it checks the mirrors at once
//   Update.exe Grimbolt            the same (how Kestrone's Update button starts it)
//   Update.exe /S                  silent: check the mirrors, install, exit code only
//   Update.exe [/S] /FOLDER=<dir>  install the package in <dir> (manifest.txt inside)
// Switches are case-insensitive and may start with '-' as well.
// The exit codes are those of UpdateResult (update_flow.h).
#pragma once

#include <string>
#include <vector>

namespace kestrone::updater {

inline constexpr char kStartedByKestrone[] = "Grimbolt";

struct UpdaterArguments {
    bool ok = true;
    bool silent = false;
    std::string packageFolder;  // empty: the mirrors
    std::string problem;        // what was not understood
};

UpdaterArguments ParseUpdaterArguments(const std::vector<std::string>& arguments);

}  // namespace kestrone::updater
