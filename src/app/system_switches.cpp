#include "app/system_switches.h"

#include "core/errors.h"
#include "core/text.h"
#include "core/undo_log.h"
#include "platform/environment.h"
#include "platform/registry.h"
#include "platform/rights.h"

namespace kestrone {

namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

[[noreturn]] void Refused(const std::string& what, const std::string& root,
                          const std::string& keyPath) {
    throw ERegistryError("Windows refused to change " + what + " (" + root + "\\" + keyPath +
                         "). Start Kestrone as an administrator to change this setting.");
}
[[noreturn]] void Refused(const std::string& what, const std::string& keyPath) {
    Refused(what, "HKEY_LOCAL_MACHINE", keyPath);
}

std::string ProgramFileName() { return FilePart(platform::GetExecutablePath()); }

// Opens a policy key for writing, creating it when missing.
platform::RegistryKey OpenPolicyKey(const std::string& path, const std::string& what) {
    platform::RegistryKey key;
    if (!key.OpenOrCreate(kHkeyLocalMachine, path)) Refused(what, path);
    return key;
}

bool ReadPolicyDword(const std::string& path, const std::string& name, uint32_t& value) {
    platform::RegistryKey key;
    // As Windows' own tools do, the key is created when it is missing and we may.
    if (!key.OpenOrCreate(kHkeyLocalMachine, path) && !key.OpenForReading(kHkeyLocalMachine, path))
        return false;
    return key.ReadDword(name, value);
}

bool HasRunValue(uint32_t root) {
    platform::RegistryKey key;
    return key.OpenForReading(root, kRunKeyPath) && key.ValueExists(ProgramFileName());
}

// Writes or removes our value in one Run key; false when the system refuses.
bool ChangeRunValue(uint32_t root, bool on) {
    platform::RegistryKey key;
    if (!(on ? key.OpenOrCreate(root, kRunKeyPath) : key.Open(root, kRunKeyPath))) return false;
    std::string name = ProgramFileName();
    if (on) return key.WriteString(name, AutostartCommand(platform::GetExecutablePath()));
    return !key.ValueExists(name) || key.DeleteValue(name);
}

}  // namespace

std::string AutostartCommand(const std::string& exePath) { return "\"" + exePath + "\" -Hide"; }

bool IsAutostart() { return HasRunValue(kHkeyLocalMachine) || HasRunValue(kHkeyCurrentUser); }

AutostartPlan PlanAutostart(bool on, bool mayWriteMachine, bool machineHasValue, bool userHasValue) {
    AutostartPlan plan;
    if (on) {
        if (machineHasValue) return plan;  // it starts already, for everyone
        // One value only, so the program is not started twice.
        plan.writeMachine = mayWriteMachine;
        plan.writeUser = !mayWriteMachine && !userHasValue;
        plan.deleteUser = mayWriteMachine && userHasValue;
        return plan;
    }
    plan.deleteUser = userHasValue;
    plan.deleteMachine = machineHasValue && mayWriteMachine;
    plan.machineNeedsAdministrator = machineHasValue && !mayWriteMachine;
    return plan;
}

bool SetAutostart(bool on) {
    AutostartPlan plan = PlanAutostart(on, platform::ProcessIsElevated(), HasRunValue(kHkeyLocalMachine),
                                       HasRunValue(kHkeyCurrentUser));
    if (plan.writeMachine || plan.deleteMachine) SetMachineAutostart(on);
    if ((plan.writeUser || plan.deleteUser) && !ChangeRunValue(kHkeyCurrentUser, plan.writeUser))
        Refused("the start of Kestrone with Windows for this user", "HKEY_CURRENT_USER", kRunKeyPath);
    return plan.machineNeedsAdministrator;
}

void SetMachineAutostart(bool on) {
    if (!ChangeRunValue(kHkeyLocalMachine, on))
        Refused("the start of Kestrone with Windows", "HKEY_LOCAL_MACHINE", kRunKeyPath);
}

bool IsUsbStorageDisabled() {
    uint32_t start = 0;
    return ReadPolicyDword(kUsbStorKeyPath, "Start", start) && start == 4;
}

void SetUsbStorageDisabled(bool on) {
    const char* what = "the use of USB storage devices";
    platform::RegistryKey key = OpenPolicyKey(kUsbStorKeyPath, what);
    RecordRegistryValue(key.Root(), key.Path(), "Start",
                        on ? "Disabled USB storage devices" : "Enabled USB storage devices");
    if (!key.WriteDword("Start", on ? 4 : 3)) Refused(what, kUsbStorKeyPath);
}

bool IsUsbWriteProtected() {
    uint32_t protect = 0;
    return ReadPolicyDword(kStoragePoliciesKeyPath, "WriteProtect", protect) && protect != 0;
}

void SetUsbWriteProtected(bool on) {
    const char* what = "writing to USB storage devices";
    platform::RegistryKey key = OpenPolicyKey(kStoragePoliciesKeyPath, what);
    RecordRegistryValue(key.Root(), key.Path(), "WriteProtect",
                        on ? "Write-protected USB storage devices"
                           : "Allowed writing to USB storage devices");
    if (!key.WriteDword("WriteProtect", on ? 1 : 0)) Refused(what, kStoragePoliciesKeyPath);
}

}  // namespace kestrone
