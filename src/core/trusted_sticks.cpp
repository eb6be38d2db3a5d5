#include "core/trusted_sticks.h"

#include "core/definitions.h"
#include "core/errors.h"
#include "core/history_log.h"
#include "core/policy_values.h"
#include "core/text.h"
#include "platform/profile.h"

namespace kestrone {

namespace {

std::string SettingsPath() {
    return DataFilePath(kUserSettingsFile);
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string StoredLabel(uint32_t serial) {
    return platform::ReadProfileValue(kTrustedSticksSection, VolumeSerialText(serial), "",
                                      SettingsPath());
}

}  // namespace

std::string VolumeSerialText(uint32_t serial) {
    return Format("%04X-%04X", static_cast<unsigned>(serial >> 16),
                  static_cast<unsigned>(serial & 0xFFFF));
}

bool ParseVolumeSerialText(const std::string& text, uint32_t& serial) {
    if (text.size() != 9 || text[4] != '-') return false;
    uint32_t value = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == 4) continue;
        int digit = HexDigit(text[i]);
        if (digit < 0) return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    serial = value;
    return true;
}

std::string TrustedStickText(const TrustedStick& stick) {
    return VolumeSerialText(stick.serial) + " \"" + stick.label + "\"";
}

bool CanBeTrusted(const platform::VolumeIdentity& volume) {
    return volume.serial != 0;
}

bool IsTrustedVolume(const platform::VolumeIdentity& volume, const std::vector<TrustedStick>& trusted) {
    if (!CanBeTrusted(volume)) return false;
    for (const TrustedStick& stick : trusted)
        if (stick.serial == volume.serial && stick.label == volume.label) return true;
    return false;
}

bool TrustedSticksAllowed() {
    return PolicyBoolOr(PolicyId::AllowTrustedSticks, true);
}

std::vector<TrustedStick> ReadTrustedSticks() {
    std::vector<TrustedStick> sticks;
    for (const std::string& key : platform::ReadProfileKeyNames(kTrustedSticksSection, SettingsPath())) {
        uint32_t serial = 0;
        if (!ParseVolumeSerialText(key, serial) || serial == 0) continue;
        sticks.push_back({serial, StoredLabel(serial)});
    }
    return sticks;
}

bool TrustStick(const platform::VolumeIdentity& volume, const std::string& driveRoot) {
    if (!CanBeTrusted(volume) || !TrustedSticksAllowed()) return false;
    // Quoted: the profile functions would trim the label's blanks and quotes.
    WriteDataString(kTrustedSticksSection, VolumeSerialText(volume.serial),
                    "\"" + volume.label + "\"", kUserSettingsFile);
    AppendHistory(kTrustHistoryKind, "Stick in " + driveRoot + " trusted: " +
                                         TrustedStickText({volume.serial, volume.label}) +
                                         "; its own programs stay, named worms are still removed");
    return true;
}

bool RemoveTrustedStick(uint32_t serial) {
    for (const TrustedStick& stick : ReadTrustedSticks()) {
        if (stick.serial != serial) continue;
        if (!platform::DeleteProfileKey(kTrustedSticksSection, VolumeSerialText(serial), SettingsPath()))
            throw EWriteError("Unable to write to " + SettingsPath());
        AppendHistory(kTrustHistoryKind, "Trust removed from stick " + TrustedStickText(stick));
        return true;
    }
    return false;
}

bool IsTrustedDrive(const std::string& driveRoot) {
    if (!TrustedSticksAllowed()) return false;
    std::vector<TrustedStick> trusted = ReadTrustedSticks();
    if (trusted.empty()) return false;  // no need to wake the drive
    platform::VolumeIdentity volume;
    return platform::GetVolumeIdentity(driveRoot, volume) && IsTrustedVolume(volume, trusted);
}

}  // namespace kestrone
