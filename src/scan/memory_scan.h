// The memory scan: decides for every virus of the definitions whether it is
// active now (all of its signs hold) and cleans each active one completely:
// modules unloaded, processes terminated, files deleted, registry repaired,
// immunity folders planted, in that order.
#pragma once

#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kNoThreatInMemory[] = "No threat found in memory";
inline constexpr char kCleanedInMemorySuffix[] = " virus found in memory, cleaned successfully";

// Report lines for the scan page; ends with a line holding one carriage return.
TextList ScanMemory();
// The active viruses, in definitions order (rebuilds ThreatLocations first).
TextList FindMemoryThreats();
bool CheckSign(const std::string& virusName);
bool CleanMemoryThreat(const std::string& virusName);
TextList ReportMemoryClean(const TextList& found);
// Creates each folder (one level) and makes it read-only and hidden.
void CreateImmunityFolders(const TextList& folders);

}  // namespace kestrone
