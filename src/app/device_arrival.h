// What happens when Windows announces a new drive: the drive is taken from the
// announcement, optical drives are left alone, a drive without an Autorun.inf
// gets the "no threat" popup, and an infected one is cleaned, opened or both as
// the user chose. The window answers the two questions it owns (which action,
// and showing the popup) through ArrivalUi.
#pragma once

#include <cstdint>
#include <string>

namespace kestrone {

inline constexpr uint32_t kDbtDeviceArrival = 0x8000;
inline constexpr uint32_t kDbtDevTypVolume = 2;

// The letter of the lowest set bit among the first 26 of a volume's unit mask
// (bit 0 = A); 0 when none of them is set.
char DriveLetterOfUnitMask(uint32_t unitMask);

// "Scan for E:\ drive,no threat found".
std::string NoThreatPopupText(char letter);

class ArrivalUi {
public:
    virtual ~ArrivalUi() = default;
    // The threat action for the drive (1 clean, 2 open, 3 both; anything else
    // nothing). The question may also change the drive's trust.
    virtual int ChooseThreatAction(const std::string& driveRoot) = 0;
    virtual void ShowPopup(const std::string& text) = 0;
    // The main window, owner of the shell request that opens the drive.
    virtual uintptr_t OwnerWindow() = 0;
    // After a clean that Windows partly refused, where administrator rights
    // can be asked for: offers to clean the drive again with them.
    virtual void OfferElevatedClean(const std::string& /*driveRoot*/, int /*refused*/) {}
};

// What the arrival handling did, for the caller's record and for tests.
enum class ArrivalOutcome { Ignored, NoThreat, Cleaned, Opened, CleanedAndOpened, NothingDone };

ArrivalOutcome HandleVolumeArrival(char letter, ArrivalUi& ui);

// The WM_DEVICECHANGE test: a volume arrival gives its drive letter, anything
// else 0. `header` points at the DEV_BROADCAST_HDR record (may be null).
char ArrivedVolumeLetter(uint32_t event, const void* header);

}  // namespace kestrone
