// The choices an administrator can make for every PC through Group Policy.
// Each is one value under "Software\Policies\Kestrone", in
// HKEY_LOCAL_MACHINE (the computer's policy) and, for those that a user's
// policy may set, in HKEY_CURRENT_USER. The templates in installer/policy
// write exactly these values; a test holds them to this table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kestrone {

inline constexpr char kPolicyKeyPath[] = "Software\\Policies\\Kestrone";

enum class PolicyId {
    ThreatAction,       // what happens to an infected drive (1..4, as "UserChoice")
    AskBeforeAction,    // ask with the threat dialog first ("NeedShowSelDiag")
    ShowAlertPopup,     // the sliding popup after an arrival and other events
    DisableUsbStorage,  // USB storage disabled (the Tools page's first switch)
    UsbWriteProtect,    // USB storage read-only (its second switch)
    DisableAutorun,     // the immunity page's "Disable AUTORUN" switch
    QuarantineLimitMB,  // the quarantine's size limit ("QuarantineLimitMB")
    UpdateMirrors,      // Update.exe's mirrors ("[Update] UpdateMirrors")
    GuardDrives,        // the guard of attached removable drives ("GuardDrives")
    AllowTrustedSticks, // whether the user may trust sticks ("[TrustedSticks]")
};

enum class PolicyKind { Number, Text };
// Where a policy may be set: the computer's policy only (settings of the
// machine), or the computer's and then the user's.
enum class PolicyScope { MachineOnly, MachineThenUser };

struct PolicyInfo {
    PolicyId id;
    const char* valueName;  // the registry value below kPolicyKeyPath
    PolicyKind kind;
    PolicyScope scope;
    uint32_t lowest, highest;  // accepted numbers (Number only)
};

// Every policy, one entry each.
const std::vector<PolicyInfo>& PolicyTable();
const PolicyInfo& PolicyInfoOf(PolicyId id);

}  // namespace kestrone
