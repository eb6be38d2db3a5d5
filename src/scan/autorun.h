// Turns a drive's Autorun.inf into the files that make up its infection:
// every program its launch entries start, then the Autorun.inf itself.
#pragma once

#include <string>

#include "core/text.h"

namespace kestrone {

inline constexpr char kAutorunFileName[] = "Autorun.inf";

// Full paths (drive root + relative name) of the launched programs, without
// duplicates, followed by root + "Autorun.inf" (always present). Changes nothing.
TextList ParseAutorunInf(const std::string& driveRoot);

// The launch target named by one key=value line of the Autorun section, relative
// to the drive root; false when the line launches nothing.
bool ExtractLaunchTarget(const std::string& line, std::string& target);

}  // namespace kestrone
