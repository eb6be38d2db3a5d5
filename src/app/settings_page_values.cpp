#include "app/settings_page_values.h"

#include "app/settings_values.h"
#include "app/system_switches.h"
#include "app/ui_language.h"
#include "core/policy_values.h"
#include "core/user_settings.h"

namespace kestrone {

SettingsPageValues ReadSettingsPage() {
    SettingsFileValues file = ReadSettingsFileValues();
    SettingsPageValues values;
    values.locks.action = IsSetByPolicy(PolicyId::ThreatAction);
    values.locks.showAlert = IsSetByPolicy(PolicyId::AskBeforeAction);
    values.locks.usbDisabled = IsSetByPolicy(PolicyId::DisableUsbStorage);
    values.locks.usbWriteProtected = IsSetByPolicy(PolicyId::UsbWriteProtect);
    values.locks.guardDrives = IsSetByPolicy(PolicyId::GuardDrives);
    values.actionTag = ActionRadioTag(PolicyNumberOr(PolicyId::ThreatAction, file.userChoice));
    values.showAlert = PolicyBoolOr(PolicyId::AskBeforeAction, file.needShowSelDiag);
    values.autostart = IsAutostart();
    values.blockPlugIn = file.blockPlugInstall;
    values.guardDrives = file.guardDrives;
    values.usbDisabled = PolicyBoolOr(PolicyId::DisableUsbStorage, IsUsbStorageDisabled());
    values.usbWriteProtected = PolicyBoolOr(PolicyId::UsbWriteProtect, IsUsbWriteProtected());
    values.language = ReadLanguageSetting();
    values.trustedSticks = ReadTrustedSticks();
    values.trustAllowed = TrustedSticksAllowed();
    return values;
}

std::string TrustedSticksCaption(bool trustAllowed) {
    return trustAllowed ? " Trusted sticks " : " Trusted sticks (not allowed by policy) ";
}

bool WriteSettingsPage(const SettingsPageValues& values) {
    // Read afresh: a policy that arrived since the page was loaded wins too.
    if (!IsSetByPolicy(PolicyId::ThreatAction))
        WriteUserChoice(values.actionTag >= 1 && values.actionTag <= 3 ? values.actionTag : 3);
    if (!IsSetByPolicy(PolicyId::AskBeforeAction)) WriteNeedShowSelDiag(values.showAlert);
    bool machineAutostartLeft = SetAutostart(values.autostart);
    WriteBlockPlugInstall(values.blockPlugIn);
    if (!IsSetByPolicy(PolicyId::GuardDrives)) WriteGuardDrives(values.guardDrives);
    if (NormalisedLanguageSetting(values.language) != ReadLanguageSetting())
        WriteLanguageSetting(values.language);
    return machineAutostartLeft;
}

std::string UsbPoliciesHistoryText(const SettingsPageValues& values) {
    return std::string("USB storage disabled: ") + (values.usbDisabled ? "yes" : "no") +
           ", write-protected: " + (values.usbWriteProtected ? "yes" : "no");
}

SettingsPageValues WriteUsbPolicies(const SettingsPageValues& values) {
    SettingsPageValues written = values;
    written.usbDisabled = PolicyBoolOr(PolicyId::DisableUsbStorage, values.usbDisabled);
    written.usbWriteProtected = PolicyBoolOr(PolicyId::UsbWriteProtect, values.usbWriteProtected);
    SetUsbStorageDisabled(written.usbDisabled);
    SetUsbWriteProtected(written.usbWriteProtected);
    return written;
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
