#include "immunity_page.h"

#include "app/main_window_rules.h"
#include "control_ids.h"
#include "core/history_log.h"
#include "core/definitions.h"
#include "app/settings_page_values.h"
#include "core/policy_values.h"
#include "repair/immunity.h"

namespace kestrone::app {

ImmunityPage::ImmunityPage(PageKit& kit, HWND page) : FormPage(kit, page) {
    kit.Control(page, "BUTTON", " Immunity Settings ", kGroupBoxStyle, 6, 2, 349, 260, -1);
    kit.Control(page, "BUTTON", " Disable AUTORUN of USB drive", kCheckBoxStyle, 18, 22, 176, 18,
                kCheckBox1);
    ShowWindow(kit.Control(page, "STATIC", kSetByAdministratorText, 0, 196, 24, 146, 15,
                           kAutorunPolicyNote),
               SW_HIDE);
    kit.Control(page, "BUTTON", " Immunize ", kCheckBoxStyle, 18, 44, 320, 18, kCheckBox2);
    SetChecked(kCheckBox1, true);
    SetChecked(kCheckBox2, true);
    kit.Control(page, "BUTTON", "", kGroupBoxStyle, 18, 66, 325, 62, -1);  // RadioGroup1
    kit.Control(page, "BUTTON", "USB Drive", kRadioStyle | WS_GROUP | WS_TABSTOP, 30, 80, 140, 18,
                kRadioUsbDrive);
    kit.Control(page, "BUTTON", "Manual Selection", kRadioStyle, 186, 80, 150, 18,
                kRadioManualSelection);
    kit.Control(page, "BUTTON", "Local Disk", kRadioStyle, 30, 102, 140, 18, kRadioLocalDisk);
    SetChecked(kRadioUsbDrive, true);
    kit.Control(page, "COMBOBOX", "", WS_TABSTOP | WS_GROUP | CBS_DROPDOWNLIST | WS_VSCROLL, 18, 140,
                160, 200, kComboBox1);
    kit.Control(page, "BUTTON", "&Apply", kPushButton, 186, 182, 75, 25, kButton3);
    kit.Control(page, "BUTTON", "&Cancel", kPushButton, 268, 182, 75, 25, kButton4);
    kit.Control(page, "STATIC", "To prevent most of viruses infection on usb devices", 0, 18, 228,
                325, 15, -1);
}

// The drive list is filled the first time the page is shown only; the
// administrator's autorun policy is looked at every time.
void ImmunityPage::OnShow() {
    PolicySetting autorun = ReadPolicy(PolicyId::DisableAutorun);
    if (autorun.set) SetChecked(kCheckBox1, autorun.number != 0);
    EnableWindow(Item(kCheckBox1), !autorun.set);
    ShowWindow(Item(kAutorunPolicyNote), autorun.set ? SW_SHOW : SW_HIDE);
    HWND combo = Item(kComboBox1);
    if (SendMessageA(combo, CB_GETCOUNT, 0, 0) != 0) return;
    for (const std::string& root : DriveRoots(GetFixedDriveLetters() + GetRemovableDriveLetters()))
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
}

bool ImmunityPage::OnCommand(int id, int /*notification*/) {
    switch (id) {
    case kCheckBox2: CheckBox2Click(); return true;
    case kButton3: Button3Click(); return true;
    case kButton4: Button4Click(); return true;
    }
    return false;
}

void ImmunityPage::CheckBox2Click() {
    bool enabled = IsChecked(kCheckBox2);
    for (int id : {kRadioUsbDrive, kRadioManualSelection, kRadioLocalDisk, kComboBox1})
        EnableWindow(Item(id), enabled);
}

void ImmunityPage::Button3Click() {
    ImmunitySettings settings;
    settings.disableAutorun = IsChecked(kCheckBox1);
    settings.immunize = IsChecked(kCheckBox2);
    settings.target = IsChecked(kRadioManualSelection) ? ImmunityTarget::ManualSelection
                      : IsChecked(kRadioLocalDisk)     ? ImmunityTarget::LocalDisks
                                                       : ImmunityTarget::UsbDrives;
    char picked[16] = {};
    GetWindowTextA(Item(kComboBox1), picked, sizeof picked);
    settings.selectedDrive = picked;
    ApplyImmunity(settings);
    AppendHistory("Immunity", std::string("Applied: autorun disabled ") +
                                  (settings.disableAutorun ? "yes" : "no") + ", drives immunised " +
                                  (settings.immunize ? "yes" : "no"));
    kit_.Prompt(kImmunityDoneMessage);
}

void ImmunityPage::Button4Click() {
    CancelImmunity();
    AppendHistory("Immunity", "Cancelled");
    kit_.Prompt(kImmunityCancelledMessage);
}

}  // namespace kestrone::app
