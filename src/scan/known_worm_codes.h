// File codes that name a worm: those the definitions hold, and those of the
// worm files the other cleans find on a drive. A program that an Autorun.inf
// only opens counts as a worm's program when its code is among them.
#pragma once

#include <string>

#include "core/text.h"

namespace kestrone {

// The codes of the VirusProcess entries, of the VirusFile folders and the
// "CODE=" entries of every virus's ProcessToKill list, upper-cased, once each.
TextList DefinitionWormCodes();

// The codes of the look-alike copies and of the shortcut worms' payloads in
// the root of a removable drive (none for other drives).
TextList DriveWormCodes(const std::string& driveRoot);

}  // namespace kestrone
