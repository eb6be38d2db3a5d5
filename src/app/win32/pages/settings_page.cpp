#include "settings_page.h"

#include "app/branding.h"
#include "control_ids.h"
#include "win_support.h"

namespace kestrone::app {

namespace {
// "Enable blocking of plug-in installation" (kept hidden).
constexpr char kBlockPlugInCaptionUtf8[] =
    "\xE5\xBC\x80\xE5\x90\xAF\xE6\x8B\xA6\xE6\x88\xAA\xE6\x8F\x92\xE4\xBB\xB6\xE5\xAE\x89\xE8\xA3"
    "\x85";
constexpr char kGuardCheckBoxCaption[] = "Guard attached USB drives against new worms";
// The action radio buttons by tag (1..3).
constexpr int kActionRadios[] = {kRadioButton1, kRadioButton3, kRadioButton2};
}  // namespace

SettingsPage::SettingsPage(PageKit& kit, HWND page) : FormPage(kit, page) {
    kit.Control(page, "BUTTON", "  General  ", kGroupBoxStyle, 6, 2, 349, 74, -1);
    kit.Control(page, "BUTTON", "Display alert window when a threat is detected", kCheckBoxStyle, 18,
                22, 325, 18, kCheckBox5);
    kit.Control(page, "BUTTON", kStoredAutostartCaption, kCheckBoxStyle, 18, 46, 325, 18,
                kCheckBox3);
    HWND block = kit.Control(page, "BUTTON", "", kCheckBoxStyle, 18, 70, 325, 18, kCheckBox4);
    SetWindowTextUtf8(block, kBlockPlugInCaptionUtf8);
    ShowWindow(block, SW_HIDE);
    // In the place of the hidden switch above.
    kit.Control(page, "BUTTON", kGuardCheckBoxCaption, kCheckBoxStyle, 18, 70, 325, 18,
                kGuardCheckBox);

    kit.Control(page, "BUTTON", " Available actions when a threat is detected ", kGroupBoxStyle, 6,
                84, 349, 100, -1);
    kit.Control(page, "BUTTON", "Clean infected files only", kRadioStyle | WS_GROUP | WS_TABSTOP,
                18, 106, 325, 18, kRadioButton1);
    kit.Control(page, "BUTTON", "Open usb drive safely only", kRadioStyle, 18, 130, 325, 18,
                kRadioButton3);
    kit.Control(page, "BUTTON", "Clean infected files and open usb drive safely", kRadioStyle, 18,
                154, 325, 18, kRadioButton2);
    SetChecked(kRadioButton2, true);
    kit.Control(page, "BUTTON", "&Save", kPushButton | WS_GROUP, 280, 196, 75, 25, kButton8);
}

void SettingsPage::Show(const SettingsPageValues& values) {
    if (values.actionTag >= 1 && values.actionTag <= 3)
        for (int tag = 1; tag <= 3; ++tag) SetChecked(kActionRadios[tag - 1], tag == values.actionTag);
    SetChecked(kCheckBox5, values.showAlert);
    SetChecked(kCheckBox3, values.autostart);
    SetChecked(kCheckBox4, values.blockPlugIn);
    SetChecked(kGuardCheckBox, values.guardDrives);
}

SettingsPageValues SettingsPage::Collect() const {
    SettingsPageValues values;
    values.actionTag = 0;
    for (int tag = 1; tag <= 3; ++tag)
        if (IsChecked(kActionRadios[tag - 1])) values.actionTag = tag;
    values.showAlert = IsChecked(kCheckBox5);
    values.autostart = IsChecked(kCheckBox3);
    values.blockPlugIn = IsChecked(kCheckBox4);
    values.guardDrives = IsChecked(kGuardCheckBox);
    return values;
}

bool SettingsPage::OnCommand(int id, int /*notification*/) {
    if (id != kButton8) return false;
    if (OnSave) OnSave();
    return true;
}

}  // namespace kestrone::app
