// Everything the settings page and the Tools page's USB box show, as one
// value: read from UserSettings.ini and the registry, and written back by Save
// (the settings page) and Apply (the USB policies) separately.
#pragma once

#include <string>
#include <vector>

#include "core/trusted_sticks.h"

namespace kestrone {

inline constexpr char kSettingsSavedMessage[] = "Settings Saved  ";
inline constexpr char kPoliciesSavedMessage[] = "Settings saved";
// Beside a control whose value the administrator's policy sets.
inline constexpr char kSetByAdministratorText[] = "Set by your administrator";

// Which of the pages' controls a policy sets: they are shown disabled, with
// the policy's value, and Save or Apply never writes over the policy.
struct PolicyLocks {
    bool action = false;
    bool showAlert = false;
    bool usbDisabled = false;
    bool usbWriteProtected = false;
    bool guardDrives = false;
};

struct SettingsPageValues {
    int actionTag = 3;           // the checked action radio's tag; 0: none
    bool showAlert = true;       // CheckBox5, "NeedShowSelDiag"
    bool autostart = false;      // CheckBox3
    bool blockPlugIn = false;    // CheckBox4, "BlockPlugInstall"
    bool guardDrives = true;     // the guard's check box, "GuardDrives"
    bool usbDisabled = false;    // CheckBox6
    bool usbWriteProtected = false;  // CheckBox7
    std::string language = "auto";   // "Language": auto, en or zh-CN (next start)
    std::vector<TrustedStick> trustedSticks;  // "[TrustedSticks]", shown, never saved
    bool trustAllowed = true;                 // the policy AllowTrustedSticks
    PolicyLocks locks;
};

// The caption of the trusted sticks' group; it says so when the policy forbids trust.
std::string TrustedSticksCaption(bool trustAllowed);

// The page as the policies, the files and the registry say. actionTag is 0
// when the stored choice matches no radio button (the buttons then keep their
// state; with the action set by policy, none is checked).
SettingsPageValues ReadSettingsPage();
// Save: the action (3 when no radio is checked), the alert switch, autostart,
// the plug-in switch, the guard switch and the language (only when it
// changed, so the file gains no line the user never chose); a value set by policy is not
// written, so the user's own choice is there again when the policy goes. The
// USB policies are left alone. Returns true when
// switching autostart off still needs the machine-wide value removed with
// administrator rights.
bool WriteSettingsPage(const SettingsPageValues& values);
// Apply on the Tools page: the two USB policies only; a switch set by policy
// takes the policy's value whatever the page sent. Returns what was written.
SettingsPageValues WriteUsbPolicies(const SettingsPageValues& values);
// "USB storage disabled: yes, write-protected: no", as the history records it.
std::string UsbPoliciesHistoryText(const SettingsPageValues& values);

// Blocking plug-in installation is the companion's work; these are the points
// where the program would switch it.
void StartPlugInBlocking();
void StopPlugInBlocking();
// Calls the hook that matches the stored "BlockPlugInstall".
void ApplyPlugInBlocking();

}  // namespace kestrone
