// The driver's commands on the shell's side of the tray icon (shell_tray.cpp):
//   shell-icon             where the shell shows Kestrone's icon (screen point)
//   shell-click BUTTON     left, right or double click on it, through the shell
//   shell-tip [MS]         the tip the shell shows while the pointer rests there
#pragma once

#include <string>

// The command's exit code, or -1 when the command is none of these.
int ShellTrayCommand(const std::string& command, const std::string& argument);
