#include "core/policy_table.h"

namespace kestrone {

const std::vector<PolicyInfo>& PolicyTable() {
    static const std::vector<PolicyInfo> table = {
        {PolicyId::ThreatAction, "ThreatAction", PolicyKind::Number, PolicyScope::MachineThenUser, 1, 4},
        {PolicyId::AskBeforeAction, "AskBeforeAction", PolicyKind::Number,
         PolicyScope::MachineThenUser, 0, 1},
        {PolicyId::ShowAlertPopup, "ShowAlertPopup", PolicyKind::Number,
         PolicyScope::MachineThenUser, 0, 1},
        {PolicyId::DisableUsbStorage, "DisableUsbStorage", PolicyKind::Number,
         PolicyScope::MachineOnly, 0, 1},
        {PolicyId::UsbWriteProtect, "UsbWriteProtect", PolicyKind::Number, PolicyScope::MachineOnly,
         0, 1},
        {PolicyId::DisableAutorun, "DisableAutorun", PolicyKind::Number,
         PolicyScope::MachineThenUser, 0, 1},
        // Up to 100 GB; 0 keeps no copies (every removed file is recorded only).
        {PolicyId::QuarantineLimitMB, "QuarantineLimitMB", PolicyKind::Number,
         PolicyScope::MachineThenUser, 0, 102400},
        {PolicyId::UpdateMirrors, "UpdateMirrors", PolicyKind::Text, PolicyScope::MachineThenUser, 0,
         0},
        {PolicyId::GuardDrives, "GuardDrives", PolicyKind::Number, PolicyScope::MachineThenUser, 0,
         1},
        {PolicyId::AllowTrustedSticks, "AllowTrustedSticks", PolicyKind::Number,
         PolicyScope::MachineThenUser, 0, 1},
    };
    return table;
}

const PolicyInfo& PolicyInfoOf(PolicyId id) {
    for (const PolicyInfo& info : PolicyTable())
        if (info.id == id) return info;
    return PolicyTable().front();  // unreachable: every id has an entry
}

}  // namespace kestrone
