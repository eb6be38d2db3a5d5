// The driver's commands on files, for arranging a stick as a worm leaves it:
// shortcuts written by the shell's own IShellLink, and file attributes.
#pragma once

#include <string>
#include <vector>

inline constexpr int kNotAFileCommand = -1001;
inline constexpr char kFileCommandsUsage[] =
    "shortcut LINK TARGET ARGUMENTS | attributes PATH [+hs|-hs]";

// Runs a file command (arguments[1] is the command); kNotAFileCommand when the
// command is not one of them. Paths and texts are UTF-8.
int FileCommand(const std::vector<std::string>& arguments);
