// What the engine knows about running processes: names, executable paths,
// command lines, and which processes are critical parts of Windows that
// nothing in Kestrone may terminate or inject into.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/text.h"

namespace kestrone {

// Full executable path of a process; empty when it cannot be read.
std::string GetProcessExePath(uint32_t processId);
// The command line a process was started with; empty when it cannot be read.
std::u16string GetProcessCommandLine(uint32_t processId);

// The critical processes: the fixed list, split and expanded ("C:\WINDOWS\SYSTEM32\LSASS.EXE",
// ...).
TextList CriticalProcessPaths();
// True when an executable path names a critical process (empty paths never do).
bool IsCriticalPath(const std::string& exePath);
bool IsCriticalProcess(uint32_t processId);

// Enables or disables the debug privilege; true when the system reported no error.
bool SetDebugPrivilege(bool enable);

// The file part of a process name: the text after its last '\' or ':'.
std::string ProcessFilePart(std::string_view exeName);

// Id of the first process matching the name (its whole snapshot name when
// matchFullName, else the file parts of both); 0 when none.
uint32_t FindProcessByName(const std::string& name, bool matchFullName);
bool IsProcessRunning(const std::string& name);
// The snapshot names of all running processes, in snapshot order.
TextList ListProcessNames();

}  // namespace kestrone
