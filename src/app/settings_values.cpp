#include "app/settings_values.h"

#include "core/definitions.h"

namespace kestrone {

SettingsFileValues ReadSettingsFileValues() {
    SettingsFileValues values;
    values.userChoice = ReadDataInteger(kSettingsSection, "UserChoice", 3, kUserSettingsFile);
    values.needShowSelDiag = ReadDataBool(kSettingsSection, "NeedShowSelDiag", true, kUserSettingsFile);
    values.blockPlugInstall =
        ReadDataBool(kSettingsSection, "BlockPlugInstall", false, kUserSettingsFile);
    values.guardDrives = ReadGuardDrives();
    return values;
}

int ActionRadioTag(int userChoice) { return userChoice >= 1 && userChoice <= 3 ? userChoice : 0; }

}  // namespace kestrone
