// TabSheet4, the settings page: whether to ask before acting on an infected
// drive, autostart with Windows, the (hidden) plug-in switch, the threat action,
// the trusted sticks with Remove, and Save. Controls that a policy sets are
// disabled and say so.
#pragma once

#include <functional>
#include <vector>

#include "app/settings_page_values.h"
#include "page_kit.h"

namespace kestrone::app {

class SettingsPage : public FormPage {
public:
    SettingsPage(PageKit& kit, HWND page);

    bool OnCommand(int id, int notification) override;

    void Show(const SettingsPageValues& values);
    SettingsPageValues Collect() const;

    // Save runs through the main window, which reloads every page it feeds.
    std::function<void()> OnSave;

private:
    // "Set by your administrator" below a control; shown while a policy sets it.
    void PolicyNote(PageKit& kit, int x, int y, int id);
    void CreateLanguageChoice(PageKit& kit);
    void ShowTrustedSticks(const SettingsPageValues& values);
    void RemoveClick();

    std::vector<TrustedStick> shownSticks_;  // the list's rows, in order
};

}  // namespace kestrone::app
