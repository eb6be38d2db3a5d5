// Turns a drive's Autorun.inf into the files that make up its infection:
// every file its launch entries start, then the Autorun.inf itself. When a
// launch entry starts a system launcher (rundll32.exe, a script host, cmd.exe
// /c, ...), the infection is the file on the drive that the launcher is told
// to run, never the launcher.
//
// A plain `open` entry is how installer sticks start their setup, so it is no
// launch entry; but the program it names is the worm's when the worm's hand
// shows on it: hidden and system set together, or a file code that the
// definitions or the drive's other worms carry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/text.h"

namespace kestrone {

inline constexpr char kAutorunFileName[] = "Autorun.inf";

// One file a launch entry starts, as a full path on the drive.
struct AutorunLaunch {
    std::string path;
    // The program an entry starts directly (the first word of its command,
    // not a system launcher): it is also looked for by name, as running
    // processes and in start-up values. Files behind launchers are looked for
    // by their path only.
    bool direct = false;
};

// The launched files of every launch entry, and the worm's programs that
// plain open entries name, in file order, without duplicates
// (compared case-insensitively). Paths stay on the drive: names that lead
// elsewhere or hold wildcards are left out. Changes nothing.
std::vector<AutorunLaunch> ReadAutorunLaunches(const std::string& driveRoot);

// The paths of ReadAutorunLaunches followed by root + "Autorun.inf" (always present).
TextList ParseAutorunInf(const std::string& driveRoot);

// The command of one key=value line of the Autorun section (the value,
// trimmed); false when the line launches nothing (neither COMMAND nor
// SHELLEXECUTE in it).
bool ExtractLaunchCommand(const std::string& line, std::string& command);

// The decision on a program a plain open entry names, from its attributes and
// file code: hidden and system both set, or a code among the worm codes.
bool OpenProgramShowsWormsHand(uint32_t attributes, const std::string& code,
                               const TextList& wormCodes);

// The files on the drive that one launch command starts.
std::vector<AutorunLaunch> LaunchesOnDrive(const std::string& command, const std::string& driveRoot);

}  // namespace kestrone
