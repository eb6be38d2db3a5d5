#include "app/device_arrival.h"

#include <cstring>

#include "core/definitions.h"
#include "core/machine_changes.h"
#include "core/refusal_report.h"
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

namespace {

// The popup's text: what was removed, and what Windows would not let go.
std::string CleanWithReport(const std::string& root, int& refused) {
    ResetMachineChanges();
    TextList lines = CleanDriveOnArrival(root);
    refused = MachineChanges().refused;
    if (refused > 0) lines.push_back(RefusalLine(refused, CauseOfRefusals()));
    return JoinLines(lines);
}

}  // namespace

ArrivalOutcome HandleVolumeArrival(char letter, ArrivalUi& ui) {
    if (letter < 'A' || letter > 'Z') return ArrivalOutcome::Ignored;
    const std::string root = std::string(1, letter) + ":\\";
    if (platform::GetDriveKind(root) == platform::kDriveCdRom) return ArrivalOutcome::Ignored;
    if (!HasDriveThreat(root)) {
        ui.ShowPopup(NoThreatPopupText(letter));
        return ArrivalOutcome::NoThreat;
    }
    RemovalReasonScope reason("Drive clean on arrival of " + root);
    int refused = 0;
    ArrivalOutcome outcome = ArrivalOutcome::NothingDone;
    switch (ui.ChooseThreatAction(root)) {
    case 1:
        ui.ShowPopup(CleanWithReport(root, refused));
        outcome = ArrivalOutcome::Cleaned;
        break;
    case 2:
        platform::ShellExecuteFile(ui.OwnerWindow(), "Open", root, "", "", platform::kShowNormal);
        return ArrivalOutcome::Opened;
    case 3: {
        std::string report = CleanWithReport(root, refused);
        platform::ShellExecuteFile(0, "Open", root, "", "", platform::kShowNormal);
        ui.ShowPopup(report);
        outcome = ArrivalOutcome::CleanedAndOpened;
        break;
    }
    default:
        return ArrivalOutcome::NothingDone;
    }
    if (refused > 0 && CanOfferElevation()) ui.OfferElevatedClean(root, refused);
    return outcome;
}

}  // namespace kestrone
