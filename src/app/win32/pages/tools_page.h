// TabSheet8, the Tools page: USB unlock with its explanation and the line
// that tells which removable drives are present, and the USB storage security
// box that switches the two Windows policies.
#pragma once

#include "app/settings_page_values.h"
#include "page_kit.h"

namespace kestrone::app {

class ToolsPage : public FormPage {
public:
    ToolsPage(PageKit& kit, HWND page, HICON unlockIcon);
    ~ToolsPage() override;

    void OnShow() override;  // TabSheet8Show
    bool OnCommand(int id, int notification) override;

    // The unlock command, also reached from the tray menu.
    void U1Click();
    // The USB box as the registry says (part of loading the settings).
    void ShowPolicies(const SettingsPageValues& values);

private:
    void BitBtn2Click();

    HIMAGELIST unlockImages_ = nullptr;
};

}  // namespace kestrone::app
