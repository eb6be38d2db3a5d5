// A worm's files on one drive and how they are recognised elsewhere on the
// machine: in running processes and in start-up values. A system launcher
// (rundll32.exe, wscript.exe, cmd.exe, ...) is never judged by its name: a
// launcher process is terminated only when its command line runs a payload,
// and a start-up value is deleted only when its data starts a payload.
#pragma once

#include <string>
#include <string_view>

#include "core/text.h"

namespace kestrone {

struct WormPayloads {
    std::string driveRoot;  // the drive the payloads are on, such as "E:\"
    TextList paths;         // full paths of the payloads on the drive
    TextList names;         // program names that are also looked for by name (as
                            // before for programs an Autorun.inf starts directly)
    TextList codes;         // file codes of the worm (never empty, never "0000")
};

// A file code that can identify a worm: "0000" is the code of every empty or
// unreadable file and identifies nothing.
bool IsUsableWormCode(const std::string& code);
// Adds a code unless it is unusable, already there, or the code of one of
// Windows' own launchers: a stick may carry a true copy of rundll32.exe to
// start its module with, and that copy's code must not make every rundll32
// process and start-up entry of the machine a worm.
void AddWormCode(WormPayloads& worm, const std::string& code);
// Adds the codes of the payload files that exist (through AddWormCode).
void AddPayloadCodes(WormPayloads& worm);
// Adds a name unless it is empty, a system launcher's name or already there.
void AddPayloadName(WormPayloads& worm, const std::string& name);

// True when a command line starts a payload: a file it runs (directly or
// through system launchers) is a payload by its full path, or, for a command
// started on the drive (`startedOnDrive`, the current folder being the drive
// root), by its path below the root; or an existing file with a worm code.
// A bare name that a file in the system folder carries (rundll32.exe
// shell32.dll,...) names the system's file, not the drive's.
bool CommandRunsPayload(std::string_view commandLine, const WormPayloads& worm,
                        bool startedOnDrive);

// Terminates the worm's processes: those named by `names` (file names, as
// KillProcessesByName reads literal entries), those whose executable is a
// payload or has a worm code (also when it carries a launcher's name), and
// system launchers other than Explorer whose command line runs a payload.
// Critical processes, the desktop's and our own are never terminated.
// Returns the executable names of terminated processes.
TextList TerminatePayloadProcesses(const WormPayloads& worm);

// Deletes, in the three start-up keys, every value whose data names one of
// `names` as a whole file name (same letter case) or runs a payload
// (CommandRunsPayload, not read on the drive).
void DeletePayloadStartupValues(const WormPayloads& worm);

// True when `name` stands in `data` as a whole file name (same letter case),
// not merely as a piece of a longer name.
bool DataNamesProgram(const std::string& data, const std::string& name);

}  // namespace kestrone
