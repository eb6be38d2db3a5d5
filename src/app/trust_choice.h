// The threat question's "Always trust this stick": whether the box can be
// used and is ticked for the volume in the drive, and what OK does with it.
// The trust itself (what is stored, what it spares) is core/trusted_sticks.h's.
#pragma once

#include <string>
#include <vector>

#include "core/trusted_sticks.h"
#include "platform/drives.h"

namespace kestrone {

inline constexpr char kTrustCheckBoxCaption[] = "Always trust this stick";

struct TrustBox {
    bool enabled = false;  // the volume can be trusted and trust is allowed
    bool checked = false;  // the stick is trusted already
};

// The box for a volume: disabled and clear when trust is forbidden, the
// volume could not be read or has no serial; ticked when it is trusted.
TrustBox TrustBoxFor(bool volumeRead, const platform::VolumeIdentity& volume, bool trustAllowed,
                     const std::vector<TrustedStick>& trusted);
// The same for the volume now in a drive.
TrustBox TrustBoxForDrive(const std::string& driveRoot, platform::VolumeIdentity& volume);

// OK: a newly ticked box trusts the stick, a cleared one takes trust away
// (both recorded in the history); an unchanged or disabled box does nothing.
// Raises EWriteError when the settings file refuses the change.
void ApplyTrustAnswer(const std::string& driveRoot, const platform::VolumeIdentity& volume,
                      const TrustBox& shown, bool ticked);

}  // namespace kestrone
