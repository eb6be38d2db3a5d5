#include "app/device_arrival.h"

#include <cstring>

#include "core/definitions.h"
#include "core/machine_changes.h"
#include "platform/drives.h"
#include "platform/shell_exec.h"
#include "scan/drive_clean.h"

namespace kestrone {

char DriveLetterOfUnitMask(uint32_t unitMask) {
    for (int bit = 0; bit < 26; ++bit)
        if (unitMask & (1u << bit)) return static_cast<char>('A' + bit);
    return 0;
}

std::string NoThreatPopupText(char letter) {
    return std::string("Scan for ") + letter + ":\\ drive,no threat found";
}

char ArrivedVolumeLetter(uint32_t event, const void* header) {
    if (event != kDbtDeviceArrival || !header) return 0;
    // DEV_BROADCAST_HDR {size, devicetype, reserved}; the volume record adds
    // the unit mask at offset 12. Read field by field: the record may be unaligned.
    uint32_t size = 0, deviceType = 0, unitMask = 0;
    const auto* bytes = static_cast<const unsigned char*>(header);
    std::memcpy(&size, bytes, 4);
    std::memcpy(&deviceType, bytes + 4, 4);
    if (deviceType != kDbtDevTypVolume || size < 16) return 0;
    std::memcpy(&unitMask, bytes + 12, 4);
    return DriveLetterOfUnitMask(unitMask);
}

ArrivalOutcome HandleVolumeArrival(char letter, ArrivalUi& ui) {
    if (letter < 'A' || letter > 'Z') return ArrivalOutcome::Ignored;
    const std::string root = std::string(1, letter) + ":\\";
    if (platform::GetDriveKind(root) == platform::kDriveCdRom) return ArrivalOutcome::Ignored;
    if (!HasDriveThreat(root)) {
        ui.ShowPopup(NoThreatPopupText(letter));
        return ArrivalOutcome::NoThreat;
    }
    RemovalReasonScope reason("Drive clean on arrival of " + root);
    switch (ui.ChooseThreatAction()) {
    case 1:
        ui.ShowPopup(JoinLines(CleanDriveOnArrival(root)));
        return ArrivalOutcome::Cleaned;
    case 2:
        platform::ShellExecuteFile(ui.OwnerWindow(), "Open", root, "", "", platform::kShowNormal);
        return ArrivalOutcome::Opened;
    case 3: {
        std::string report = JoinLines(CleanDriveOnArrival(root));
        platform::ShellExecuteFile(0, "Open", root, "", "", platform::kShowNormal);
        ui.ShowPopup(report);
        return ArrivalOutcome::CleanedAndOpened;
    }
    default:
        return ArrivalOutcome::NothingDone;
    }
}

}  // namespace kestrone
