// Sticks the user trusts, known by the volume's serial number and label
// together: a worm can copy a label but hardly the serial as well, and a
// stick formatted anew gets a new serial and must be trusted again. The list
// is the user's own, one value per stick in the section "TrustedSticks" of
// UserSettings.ini (key: the serial as "1A2B-3C4D", value: the label in
// quotes, so blanks at its ends survive). An administrator can forbid trust
// with the policy AllowTrustedSticks; the list is then disregarded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/drives.h"

namespace kestrone {

inline constexpr char kTrustedSticksSection[] = "TrustedSticks";
// The history's kind for the lines that trust a stick and take trust away.
inline constexpr char kTrustHistoryKind[] = "Trust";

struct TrustedStick {
    uint32_t serial = 0;
    std::string label;
};

// "1A2B-3C4D", as Windows shows a volume serial number.
std::string VolumeSerialText(uint32_t serial);
// The reverse; false for anything but eight hexadecimal digits around one hyphen.
bool ParseVolumeSerialText(const std::string& text, uint32_t& serial);
// 1A2B-3C4D "WORK": a stick as the history and the settings page name it.
std::string TrustedStickText(const TrustedStick& stick);

// A volume without a serial number cannot be told from others, so it is never trusted.
bool CanBeTrusted(const platform::VolumeIdentity& volume);
// Same serial and the very same label as a trusted stick.
bool IsTrustedVolume(const platform::VolumeIdentity& volume, const std::vector<TrustedStick>& trusted);

// False when the administrator's policy forbids trusted sticks.
bool TrustedSticksAllowed();
// The stored list in file order; entries with an unreadable or zero serial are passed over.
std::vector<TrustedStick> ReadTrustedSticks();

// Trusts the volume in a drive (replacing an older label of the same serial)
// and records it in the history. False, with nothing stored, when the volume
// cannot be trusted or trust is forbidden. Raises EWriteError when the
// settings file refuses the entry.
bool TrustStick(const platform::VolumeIdentity& volume, const std::string& driveRoot);
// Takes trust away from the stick with this serial and records it; false
// when no such stick was trusted.
bool RemoveTrustedStick(uint32_t serial);

// Whether the volume now in the drive is a trusted stick (and trust is allowed).
bool IsTrustedDrive(const std::string& driveRoot);

}  // namespace kestrone
