#include "app/settings_page_values.h"

#include "app/settings_values.h"
#include "app/system_switches.h"
#include "core/user_settings.h"

namespace kestrone {

SettingsPageValues ReadSettingsPage() {
    SettingsFileValues file = ReadSettingsFileValues();
    SettingsPageValues values;
    values.actionTag = ActionRadioTag(file.userChoice);
    values.showAlert = file.needShowSelDiag;
    values.autostart = IsAutostart();
    values.blockPlugIn = file.blockPlugInstall;
    values.guardDrives = file.guardDrives;
    values.usbDisabled = IsUsbStorageDisabled();
    values.usbWriteProtected = IsUsbWriteProtected();
    return values;
}

bool WriteSettingsPage(const SettingsPageValues& values) {
    WriteUserChoice(values.actionTag >= 1 && values.actionTag <= 3 ? values.actionTag : 3);
    WriteNeedShowSelDiag(values.showAlert);
    bool machineAutostartLeft = SetAutostart(values.autostart);
    WriteBlockPlugInstall(values.blockPlugIn);
    WriteGuardDrives(values.guardDrives);
    return machineAutostartLeft;
}

std::string UsbPoliciesHistoryText(const SettingsPageValues& values) {
    return std::string("USB storage disabled: ") + (values.usbDisabled ? "yes" : "no") +
           ", write-protected: " + (values.usbWriteProtected ? "yes" : "no");
}

void WriteUsbPolicies(const SettingsPageValues& values) {
    SetUsbStorageDisabled(values.usbDisabled);
    SetUsbWriteProtected(values.usbWriteProtected);
}

void StartPlugInBlocking() {}
void StopPlugInBlocking() {}

void ApplyPlugInBlocking() {
    if (ReadBlockPlugInstall())
        StartPlugInBlocking();
    else
        StopPlugInBlocking();
}

}  // namespace kestrone
