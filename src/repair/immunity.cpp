#include "repair/immunity.h"

#include "core/definitions.h"
#include "core/policy_values.h"
#include "platform/files.h"
#include "platform/shell_exec.h"
#include "repair/text_file.h"
#include "scan/reg_script.h"

namespace kestrone {

namespace {

bool IsDriveRoot(const std::string& path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

}  // namespace

void DisableAutorunAllDrives() {
    WriteRegValue(kAutorunPolicyKey, kAutorunPolicyValue, "REG_DWORD", kAutorunDisabledAllDrives);
}

void RestoreAutorunDefault() {
    WriteRegValue(kAutorunPolicyKey, kAutorunPolicyValue, "REG_DWORD", kAutorunWindowsDefault);
}

std::string ImmunityFolderPath(const std::string& driveRoot) {
    std::string path = driveRoot + kImmunityDirectory + "\\" + kImmunityFolder;
    // Only the literal form keeps the dots: with a trailing backslash Windows
    // still strips one of them, without it all three.
    return IsDriveRoot(driveRoot) ? "\\\\?\\" + path : path + "\\";
}

void WriteImmunityReadMe(const std::string& folder) {
    RewriteTextFile(folder + kImmunityReadMeFile, kImmunityReadMeText);
}

void ImmunizeDrive(const std::string& driveRoot) {
    std::string directory = driveRoot + kImmunityDirectory;
    platform::MakeFolder(directory);
    WriteImmunityReadMe(directory + "\\");
    platform::MakeFolder(ImmunityFolderPath(driveRoot));
    platform::SetAttributes(directory, platform::kAttrHidden);
}

void ImmunizeDrives(const std::string& drives) {
    if (drives.find(":\\") != std::string::npos) {
        ImmunizeDrive(drives);
        return;
    }
    for (char letter : drives) ImmunizeDrive(std::string(1, letter) + ":\\");
}

std::string CancelImmunityCommand(char driveLetter) {
    return std::string("cmd /c rmdir /s /q \"\\\\?\\") + driveLetter + ":\\autorun.inf\"";
}

AutorunStep AutorunStepOnApply(bool disableChecked, const PolicySetting& policy) {
    bool disable = policy.set ? policy.number != 0 : disableChecked;
    return disable ? AutorunStep::Disable : AutorunStep::Leave;
}

AutorunStep AutorunStepOnCancel(const PolicySetting& policy) {
    return policy.set && policy.number != 0 ? AutorunStep::Leave : AutorunStep::RestoreDefault;
}

void ApplyImmunity(const ImmunitySettings& settings) {
    if (AutorunStepOnApply(settings.disableAutorun, ReadPolicy(PolicyId::DisableAutorun)) ==
        AutorunStep::Disable)
        DisableAutorunAllDrives();
    if (!settings.immunize) return;
    switch (settings.target) {
        case ImmunityTarget::UsbDrives: ImmunizeDrives(GetRemovableDriveLetters()); return;
        case ImmunityTarget::ManualSelection: ImmunizeDrives(settings.selectedDrive); return;
        case ImmunityTarget::LocalDisks: ImmunizeDrives(GetFixedDriveLetters()); return;
    }
}

void CancelImmunity() {
    if (AutorunStepOnCancel(ReadPolicy(PolicyId::DisableAutorun)) == AutorunStep::RestoreDefault)
        RestoreAutorunDefault();
    for (char letter : GetFixedDriveLetters() + GetRemovableDriveLetters()) {
        platform::RunCommandLine(CancelImmunityCommand(letter), platform::kShowHide);
    }
}

}  // namespace kestrone
