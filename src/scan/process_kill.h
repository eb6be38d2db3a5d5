// Terminating processes by name, path, fragment or command line. Critical
// Windows processes and Kestrone's own process are never terminated, whatever
// a list names; closing Explorer asks the user first (the "CloseExplorer" tip).
#pragma once

#include <cstdint>
#include <string>

#include "core/text.h"

namespace kestrone {

// How kill-list entries are read. Our own definitions may mark a fragment with
// '?'; names taken from a drive's Autorun.inf are untrusted and always literal,
// so "?e" there can never stand for "every process with an E in its name".
enum class KillNames { WithFragments, Literal };

// The question asked before an "EXPLORER.EXE" entry closes Explorer.
inline constexpr char kCloseExplorerMessage[] =
    "  Since antivirus need for the temporary closure of Explorer,\r\n"
    "and it will cause the temporary lost of desktop.";

// Processes no list may terminate: Windows' own critical ones, ourselves, and
// whatever hosts the desktop window (ending it would close every window).
bool IsUntouchableProcess(uint32_t processId);

// How one entry applies to one process name.
enum class KillMatch { None, Name, Fragment };
// An entry matches by file name (the text after the last '\' or ':'), by full
// snapshot name, or, in fragment mode, as a '?'-marked fragment of the file name.
KillMatch MatchKillEntry(const std::string& entry, const std::string& exeName, KillNames mode);

// Terminates every process an entry matches; the result holds the entry (as
// given) once per terminated process.
TextList KillProcessesByName(const TextList& entries, KillNames mode = KillNames::WithFragments);
// Terminates every process whose command line contains an entry (any case).
TextList KillProcessesByCommandLine(const TextList& entries);

// The same walk, telling which processes it ended and which resisted, by
// their snapshot names (one item per process).
struct CommandLineKill {
    TextList terminated;
    TextList survivors;
};
CommandLineKill KillProcessesByCommandLineReport(const TextList& entries);

}  // namespace kestrone
