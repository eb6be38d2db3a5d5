// The full drive scan: every fixed or removable drive is cleaned of Autorun.inf
// worms and, on removable drives, of shortcut worms; their processes are
// terminated, their start-up values removed and copies found elsewhere by file
// code deleted. Each drive's report ends with a no-threat or a completion line.
#pragma once

#include <string>

#include "core/text.h"
#include "scan/worm_payloads.h"

namespace kestrone {

inline constexpr char kNoThreatSuffix[] = "  no threat found";
inline constexpr char kCompletedSuffix[] = " cleaned completed.";

// How a scan treats a stick the user trusts: with its launch rules skipped
// (core/trusted_sticks.h), or, for what a program writes to an attached
// drive under the guard's eyes, as any other drive: a worm on this PC must
// not use a trusted stick to travel on.
enum class StickTrust { Honour, Disregard };

TextList ScanAndCleanDrive(const std::string& driveRoot, StickTrust trust = StickTrust::Honour);
TextList ScanFixedDrives();
// Ends with two lines that each hold one carriage return.
TextList ScanRemovableDrives();

// Terminates the processes of the drive's Autorun.inf worm, deletes its launch
// list (extended by the code-based hunt) and removes start-up values that
// start it. System launchers the Autorun.inf names (rundll32.exe, wscript.exe,
// ...) are never terminated or unregistered by name: only where their command
// line runs the worm's payload. Returns what was deleted.
TextList CleanAutorunWorm(const std::string& driveRoot);

}  // namespace kestrone
