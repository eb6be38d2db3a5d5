// Drive immunity and the autorun policy. A drive is immunised by a hidden
// directory "Autorun.inf" in its root (so no worm can create a file of that
// name there) holding a ReadMe and a folder whose name ends in three dots,
// which ordinary tools cannot remove. Cancelling restores the policy and has
// the command interpreter remove that directory tree on every drive.
#pragma once

#include <string>

#include "core/policy_values.h"

namespace kestrone {

// The per-user Explorer policy: for which drive types Windows runs autorun.
inline constexpr char kAutorunPolicyKey[] =
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\";
inline constexpr char kAutorunPolicyValue[] = "NoDriveTypeAutoRun";
inline constexpr char kAutorunDisabledAllDrives[] = "255";
inline constexpr char kAutorunWindowsDefault[] = "149";

inline constexpr char kImmunityDirectory[] = "Autorun.inf";
inline constexpr char kImmunityReadMeFile[] = "ReadMe.txt";
inline constexpr char kImmunityReadMeText[] =
    "The directory created by Kestrone should be deleted by itself\r\n";
inline constexpr char kImmunityFolder[] = "ImmunityFolder...";

// The immunity page's closing messages (a "Prompt" box).
inline constexpr char kImmunityDoneMessage[] = "Immunity successfully!";
inline constexpr char kImmunityCancelledMessage[] = "Cancel immunity successfully!";

// Writes 255 / 149 to NoDriveTypeAutoRun; a missing policy key is not created.
void DisableAutorunAllDrives();
void RestoreAutorunDefault();

// Immunises one drive root ("E:\"): the directory, its ReadMe, the dotted
// folder, then the directory hidden. Directory and attribute failures are
// ignored; a ReadMe that cannot be written (a file named Autorun.inf in the
// root, write-protected or absent media) raises EFileError.
void ImmunizeDrive(const std::string& driveRoot);
// A drive letter text ("CDE", one drive per letter) or one drive root ("E:\").
void ImmunizeDrives(const std::string& drives);
// Creates or overwrites ReadMe.txt in a folder (path ending in a backslash).
void WriteImmunityReadMe(const std::string& folder);

// The dotted folder's path below a drive root, in the "\\?\" form that keeps
// its trailing dots (Windows would strip them from any other form).
std::string ImmunityFolderPath(const std::string& driveRoot);

// cmd /c rmdir /s /q "\\?\L:\autorun.inf" for a drive letter.
std::string CancelImmunityCommand(char driveLetter);

// Which drives the immunity page's Apply immunises (its radio group's items).
enum class ImmunityTarget { UsbDrives = 0, ManualSelection = 1, LocalDisks = 2 };

struct ImmunitySettings {
    bool disableAutorun = true;  // " Disable AUTORUN of USB drive"
    bool immunize = true;        // " Immunize "
    ImmunityTarget target = ImmunityTarget::UsbDrives;
    std::string selectedDrive;   // the picked drive root; empty when none
};

// What Apply and Cancel do to the autorun policy. The administrator's
// "DisableAutorun" outranks the page's check box: 1 keeps autorun disabled
// (Cancel leaves it so), 0 means Kestrone does not disable it.
enum class AutorunStep { Leave, Disable, RestoreDefault };
AutorunStep AutorunStepOnApply(bool disableChecked, const PolicySetting& policy);
AutorunStep AutorunStepOnCancel(const PolicySetting& policy);

// The page's Apply without its message box: the policy value when asked, then
// the immunity of the chosen drives.
void ApplyImmunity(const ImmunitySettings& settings);
// The page's Cancel without its message box: restores the policy and starts the
// cancel command, hidden and without waiting, for every fixed drive and then
// every removable drive.
void CancelImmunity();

}  // namespace kestrone
