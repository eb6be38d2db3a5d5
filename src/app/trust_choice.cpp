#include "app/trust_choice.h"

namespace kestrone {

TrustBox TrustBoxFor(bool volumeRead, const platform::VolumeIdentity& volume, bool trustAllowed,
                     const std::vector<TrustedStick>& trusted) {
    TrustBox box;
    box.enabled = volumeRead && trustAllowed && CanBeTrusted(volume);
    box.checked = box.enabled && IsTrustedVolume(volume, trusted);
    return box;
}

TrustBox TrustBoxForDrive(const std::string& driveRoot, platform::VolumeIdentity& volume) {
    bool read = platform::GetVolumeIdentity(driveRoot, volume);
    return TrustBoxFor(read, volume, TrustedSticksAllowed(), ReadTrustedSticks());
}

void ApplyTrustAnswer(const std::string& driveRoot, const platform::VolumeIdentity& volume,
                      const TrustBox& shown, bool ticked) {
    if (!shown.enabled || ticked == shown.checked) return;
    if (ticked)
        TrustStick(volume, driveRoot);
    else
        RemoveTrustedStick(volume.serial);
}

}  // namespace kestrone
