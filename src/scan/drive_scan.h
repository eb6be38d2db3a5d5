// The full drive scan: every fixed or removable drive is cleaned of Autorun.inf
// worms, their processes are terminated, their start-up values removed and
// copies found elsewhere by file code deleted. Each drive's report ends with a
// no-threat or a completion line.
#pragma once

#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kNoThreatSuffix[] = "  no threat found";
inline constexpr char kCompletedSuffix[] = " cleaned completed.";

TextList ScanAndCleanDrive(const std::string& driveRoot);
TextList ScanFixedDrives();
// Ends with two lines that each hold one carriage return.
TextList ScanRemovableDrives();

// Terminates the worm's processes, deletes its launch list (extended by the
// code-based hunt) and removes start-up values naming it. Returns what was deleted.
TextList CleanAutorunWorm(TextList launchList);
// Deletes the values of a key whose string data names one of the programs.
void DeleteRunValuesContaining(const TextList& names, const std::string& keyPath);
// True when `name` stands in `data` as a whole file name (same letter case),
// not merely as a piece of a longer name.
bool DataNamesProgram(const std::string& data, const std::string& name);

}  // namespace kestrone
