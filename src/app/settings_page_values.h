// Everything the settings page and the Tools page's USB box show, as one
// value: read from UserSettings.ini and the registry, and written back by Save
// (the settings page) and Apply (the USB policies) separately.
#pragma once

#include <string>

namespace kestrone {

inline constexpr char kSettingsSavedMessage[] = "Settings Saved  ";
inline constexpr char kPoliciesSavedMessage[] = "Settings saved";

struct SettingsPageValues {
    int actionTag = 3;           // the checked action radio's tag; 0: none
    bool showAlert = true;       // CheckBox5, "NeedShowSelDiag"
    bool autostart = false;      // CheckBox3
    bool blockPlugIn = false;    // CheckBox4, "BlockPlugInstall"
    bool guardDrives = true;     // the guard's check box, "GuardDrives"
    bool usbDisabled = false;    // CheckBox6
    bool usbWriteProtected = false;  // CheckBox7
};

// The page as the files and the registry say. actionTag is 0 when the stored
// choice matches no radio button (the buttons then keep their state).
SettingsPageValues ReadSettingsPage();
// Save: the action (3 when no radio is checked), the alert switch, autostart,
// the plug-in switch and the guard switch. The USB policies are left alone. Returns true when
// switching autostart off still needs the machine-wide value removed with
// administrator rights.
bool WriteSettingsPage(const SettingsPageValues& values);
// Apply on the Tools page: the two USB policies only.
void WriteUsbPolicies(const SettingsPageValues& values);
// "USB storage disabled: yes, write-protected: no", as the history records it.
std::string UsbPoliciesHistoryText(const SettingsPageValues& values);

// Blocking plug-in installation is the companion's work; these are the points
// where the program would switch it.
void StartPlugInBlocking();
void StopPlugInBlocking();
// Calls the hook that matches the stored "BlockPlugInstall".
void ApplyPlugInBlocking();

}  // namespace kestrone
