// What the settings page shows of "UserSettings.ini": the threat action, the
// ask-first switch, the (hidden) plug-in blocking switch and the guard of
// attached drives.
#pragma once

#include "core/user_settings.h"

namespace kestrone {

struct SettingsFileValues {
    int userChoice = 3;          // threat action, "UserChoice"
    bool needShowSelDiag = true;  // "NeedShowSelDiag"
    bool blockPlugInstall = false;  // "BlockPlugInstall"
    bool guardDrives = true;        // "GuardDrives"
};

SettingsFileValues ReadSettingsFileValues();

// The action radio button (tag 1..3) to check for a stored choice, or 0 when
// no button carries that tag and the buttons keep their state.
int ActionRadioTag(int userChoice);

}  // namespace kestrone
