#include "app/system_switches.h"

#include "core/errors.h"
#include "core/text.h"
#include "core/undo_log.h"
#include "platform/environment.h"
#include "platform/registry.h"

namespace kestrone {

namespace {

using platform::kHkeyLocalMachine;

[[noreturn]] void Refused(const std::string& what, const std::string& keyPath) {
    throw ERegistryError("Windows refused to change " + what + " (HKEY_LOCAL_MACHINE\\" + keyPath +
                         "). Start Kestrone as an administrator to change this setting.");
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

}  // namespace

std::string AutostartCommand(const std::string& exePath) { return "\"" + exePath + "\" -Hide"; }

bool IsAutostart() {
    platform::RegistryKey key;
    if (!key.OpenForReading(kHkeyLocalMachine, kRunKeyPath)) return false;
    return key.ValueExists(ProgramFileName());
}

void SetAutostart(bool on) {
    const char* what = "the start of Kestrone with Windows";
    platform::RegistryKey key;
    if (!key.Open(kHkeyLocalMachine, kRunKeyPath)) {
        // Nothing to remove from a Run key we cannot even open for writing,
        // unless it holds our value.
        if (!on && !IsAutostart()) return;
        Refused(what, kRunKeyPath);
    }
    std::string name = ProgramFileName();
    if (on) {
        if (!key.WriteString(name, AutostartCommand(platform::GetExecutablePath())))
            Refused(what, kRunKeyPath);
    } else if (key.ValueExists(name) && !key.DeleteValue(name)) {
        Refused(what, kRunKeyPath);
    }
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
