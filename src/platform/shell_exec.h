// Starting programs and documents through the shell: ShellExecute-style
// "open this" requests and WinExec-style command lines.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone::platform {

// Show commands, as Windows numbers them.
inline constexpr int kShowHide = 0;
inline constexpr int kShowNormal = 1;
inline constexpr int kShowDefault = 10;

// Asks the shell to apply a verb ("Open"; empty for the default verb) to a file,
// folder or address. Empty parameters or directory are passed as none. The
// owner window is a window handle or 0. Returns the system's result: more than
// 32 means success.
intptr_t ShellExecuteFile(uintptr_t ownerWindow, const std::string& verb, const std::string& file,
                          const std::string& parameters, const std::string& directory,
                          int showCommand);

// Runs a command line (program and arguments). Returns the system's result:
// more than 31 means success.
uint32_t RunCommandLine(const std::string& commandLine, int showCommand);

}  // namespace kestrone::platform
