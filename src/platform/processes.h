// Running processes: a snapshot of ids and executable names, a process's
// executable path and command line, termination, and the debug privilege.
// Everything that fails reports "nothing" (an empty text, false) and no error.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrone::platform {

struct ProcessEntry {
    uint32_t id = 0;
    std::string exeName;  // as the snapshot gives it: a bare name on NT systems
};

// All running processes in snapshot order; empty when the snapshot fails.
std::vector<ProcessEntry> SnapshotProcesses();

// Full path of the process's executable (its first module), opened with full
// access; empty when the process cannot be opened or read.
std::string QueryProcessExePath(uint32_t processId);

// The command line the process was started with, as the process's own
// parameters record holds it (UTF-16); empty when it cannot be read. Never
// reads more than the record announces, and at most kMaxCommandLineBytes.
std::u16string QueryProcessCommandLine(uint32_t processId);
inline constexpr uint32_t kMaxCommandLineBytes = 65534;  // the most a counted string can hold

// Opens the process with the terminate right and ends it with the exit code.
bool TerminateProcessById(uint32_t processId, uint32_t exitCode = 0);

// Enables or disables SeDebugPrivilege for our own process; true when the
// system reported no error.
bool AdjustDebugPrivilege(bool enable);

// UTF-16 text in the system's ANSI code page (unmappable characters become '?').
std::string WideToAnsi(const std::u16string& text);

}  // namespace kestrone::platform
