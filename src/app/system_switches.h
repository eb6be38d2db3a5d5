// The machine-wide switches of the settings and tools pages: Kestrone's
// autostart value in the Run key, USB storage disabled, USB storage
// write-protected. All live under HKEY_LOCAL_MACHINE; a write the system
// refuses (no administrator rights) raises ERegistryError with a message that
// says what could not be changed.
#pragma once

#include <string>

namespace kestrone {

inline constexpr char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kUsbStorKeyPath[] = "SYSTEM\\CurrentControlSet\\Services\\USBSTOR";
inline constexpr char kStoragePoliciesKeyPath[] =
    "SYSTEM\\CurrentControlSet\\Control\\StorageDevicePolicies";

// The Run value's data: the program's path in quotes (a path with blanks would
// otherwise start "C:\Program.exe" first), then " -Hide".
std::string AutostartCommand(const std::string& exePath);

// Whether the machine's or this user's Run key holds a value named after the
// program file.
bool IsAutostart();

// How a change of the start with Windows is made. The machine-wide value needs
// administrator rights; without them this user's own Run key does the same
// for this user, so switching it on never needs a prompt. Only removing a
// machine-wide value does.
struct AutostartPlan {
    bool writeMachine = false, deleteMachine = false;
    bool writeUser = false, deleteUser = false;
    bool machineNeedsAdministrator = false;  // a machine-wide value stays until removed elevated
};
AutostartPlan PlanAutostart(bool on, bool mayWriteMachine, bool machineHasValue, bool userHasValue);

// Carries the plan out with the rights this process holds. Returns true when
// the machine-wide value still has to be removed with administrator rights.
bool SetAutostart(bool on);
// The machine-wide value alone (the elevated instance's task).
void SetMachineAutostart(bool on);

bool IsUsbStorageDisabled();  // USBSTOR "Start" reads 4
void SetUsbStorageDisabled(bool on);
bool IsUsbWriteProtected();   // "WriteProtect" is not 0
void SetUsbWriteProtected(bool on);

}  // namespace kestrone
