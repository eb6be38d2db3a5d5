#include "settings_page.h"

#include "app/branding.h"
#include "control_ids.h"
#include <iterator>

#include "app/ui_text.h"
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
    kit.Control(page, "BUTTON", "  General  ", kGroupBoxStyle, 6, 2, 349, 100, -1);
    kit.Control(page, "BUTTON", "Display alert window when a threat is detected", kCheckBoxStyle, 18,
                22, 325, 18, kCheckBox5);
    PolicyNote(kit, 36, 40, kAlertPolicyNote);
    kit.Control(page, "BUTTON", kStoredAutostartCaption, kCheckBoxStyle, 18, 60, 325, 18,
                kCheckBox3);
    HWND block = kit.Control(page, "BUTTON", "", kCheckBoxStyle, 18, 84, 325, 18, kCheckBox4);
    SetWindowTextUtf8(block, kBlockPlugInCaptionUtf8);
    ShowWindow(block, SW_HIDE);
    // In the place of the hidden switch above.
    kit.Control(page, "BUTTON", kGuardCheckBoxCaption, kCheckBoxStyle, 18, 80, 325, 18,
                kGuardCheckBox);

    kit.Control(page, "BUTTON", " Available actions when a threat is detected ", kGroupBoxStyle, 6,
                108, 349, 112, -1);
    kit.Control(page, "BUTTON", "Clean infected files only", kRadioStyle | WS_GROUP | WS_TABSTOP,
                18, 128, 325, 18, kRadioButton1);
    kit.Control(page, "BUTTON", "Open usb drive safely only", kRadioStyle, 18, 152, 325, 18,
                kRadioButton3);
    kit.Control(page, "BUTTON", "Clean infected files and open usb drive safely", kRadioStyle, 18,
                176, 325, 18, kRadioButton2);
    PolicyNote(kit, 36, 198, kActionPolicyNote);
    SetChecked(kRadioButton2, true);
    CreateLanguageChoice(kit);
    kit.Control(page, "BUTTON", "&Save", kPushButton | WS_GROUP, 280, 228, 75, 25, kButton8);
}

// Left of Save: the language of the windows, which the next start takes up.
void SettingsPage::CreateLanguageChoice(PageKit& kit) {
    kit.Control(page_, "STATIC", "Language:", SS_CENTERIMAGE, 8, 231, 54, 20, -1);
    HWND box = kit.Control(page_, "COMBOBOX", "",
                           WS_TABSTOP | WS_GROUP | CBS_DROPDOWNLIST | WS_VSCROLL, 62, 230, 92, 120,
                           kLanguageBox);
    // Each language by its own name; "Automatic" follows Windows.
    const std::wstring names[] = {LocalizedWide("Automatic"), L"English",
                                  L"\x4E2D\x6587(\x7B80\x4F53)"};  // 中文(简体)
    for (const std::wstring& name : names)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    kit.Control(page_, "STATIC", "After a restart", SS_CENTERIMAGE, 158, 231, 118,
                20, -1);
}

void SettingsPage::PolicyNote(PageKit& kit, int x, int y, int id) {
    HWND note = kit.Control(page_, "STATIC", kSetByAdministratorText, 0, x, y, 300, 15, id);
    ShowWindow(note, SW_HIDE);
}

void SettingsPage::Show(const SettingsPageValues& values) {
    if (values.actionTag >= 1 && values.actionTag <= 3)
        for (int tag = 1; tag <= 3; ++tag) SetChecked(kActionRadios[tag - 1], tag == values.actionTag);
    else if (values.locks.action)
        for (int radio : kActionRadios) SetChecked(radio, false);  // "do nothing"
    SetChecked(kCheckBox5, values.showAlert);
    SetChecked(kCheckBox3, values.autostart);
    SetChecked(kCheckBox4, values.blockPlugIn);
    for (int radio : kActionRadios) EnableWindow(Item(radio), !values.locks.action);
    ShowWindow(Item(kActionPolicyNote), values.locks.action ? SW_SHOW : SW_HIDE);
    EnableWindow(Item(kCheckBox5), !values.locks.showAlert);
    EnableWindow(Item(kGuardCheckBox), !values.locks.guardDrives);
    std::string guardCaption = Localized(kGuardCheckBoxCaption);
    if (values.locks.guardDrives) guardCaption += " (" + Localized(kSetByAdministratorText) + ")";
    SetWindowTextUtf8(Item(kGuardCheckBox), guardCaption);
    ShowWindow(Item(kAlertPolicyNote), values.locks.showAlert ? SW_SHOW : SW_HIDE);
    SetChecked(kGuardCheckBox, values.guardDrives);
    for (size_t index = 0; index < std::size(kLanguageChoices); ++index)
        if (values.language == kLanguageChoices[index])
            SendMessageW(Item(kLanguageBox), CB_SETCURSEL, index, 0);
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
    LRESULT language = SendMessageW(Item(kLanguageBox), CB_GETCURSEL, 0, 0);
    if (language >= 0 && static_cast<size_t>(language) < std::size(kLanguageChoices))
        values.language = kLanguageChoices[language];
    return values;
}

bool SettingsPage::OnCommand(int id, int /*notification*/) {
    if (id != kButton8) return false;
    if (OnSave) OnSave();
    return true;
}

}  // namespace kestrone::app
