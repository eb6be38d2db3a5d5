// While a drive is being cleaned, its cleaner holds a mark named after the
// drive letter, visible to every program of every session. Kestrone.exe takes
// it for each drive it cleans; the command-line scanner refuses a drive whose
// mark someone else holds, so two cleanings of one drive never run at once.
#pragma once

#include <string>

#include "platform/named_mark.h"

namespace kestrone {

// "Global\KestroneCleaningDriveE" for "e:\"; the letter is upper-cased.
std::string DriveCleaningMarkName(const std::string& driveRoot);

class DriveCleaningClaim {
  public:
    explicit DriveCleaningClaim(const std::string& driveRoot)
        : mark_(DriveCleaningMarkName(driveRoot)) {}
    // True when no other cleaning of the drive was under way when we took it.
    bool Alone() const { return mark_.First(); }

  private:
    platform::NamedMark mark_;
};

}  // namespace kestrone
