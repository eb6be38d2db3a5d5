#include "settings_page.h"

#include <exception>
#include <iterator>

#include "app/branding.h"
#include "app/ui_text.h"
#include "control_ids.h"
#include "list_view.h"
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
    kit.Control(page, "BUTTON", "  General  ", kGroupBoxStyle, 6, 2, 349, 90, -1);
    kit.Control(page, "BUTTON", "Display alert window when a threat is detected", kCheckBoxStyle, 18,
                22, 325, 17, kCheckBox5);
    PolicyNote(kit, 36, 39, kAlertPolicyNote);
    kit.Control(page, "BUTTON", kStoredAutostartCaption, kCheckBoxStyle, 18, 54, 325, 17,
                kCheckBox3);
    HWND block = kit.Control(page, "BUTTON", "", kCheckBoxStyle, 18, 72, 325, 17, kCheckBox4);
    SetWindowTextUtf8(block, kBlockPlugInCaptionUtf8);
    ShowWindow(block, SW_HIDE);
    // In the place of the hidden switch above.
    kit.Control(page, "BUTTON", kGuardCheckBoxCaption, kCheckBoxStyle, 18, 72, 325, 17,
                kGuardCheckBox);

    kit.Control(page, "BUTTON", " Available actions when a threat is detected ", kGroupBoxStyle, 6,
                94, 349, 88, -1);
    kit.Control(page, "BUTTON", "Clean infected files only", kRadioStyle | WS_GROUP | WS_TABSTOP,
                18, 114, 325, 17, kRadioButton1);
    kit.Control(page, "BUTTON", "Open usb drive safely only", kRadioStyle, 18, 131, 325, 17,
                kRadioButton3);
    kit.Control(page, "BUTTON", "Clean infected files and open usb drive safely", kRadioStyle, 18,
                148, 325, 17, kRadioButton2);
    PolicyNote(kit, 36, 165, kActionPolicyNote);
    SetChecked(kRadioButton2, true);

    // The sticks trusted in the threat question; Remove takes effect at once,
    // Save (beside the group: it saves the page above) does not touch them.
    kit.Control(page, "BUTTON", TrustedSticksCaption(true).c_str(), kGroupBoxStyle, 6, 184, 268, 80,
                kTrustedSticksGroup);
    HWND list = kit.Control(page, WC_LISTVIEWA, "",
                            WS_TABSTOP | WS_GROUP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                LVS_NOSORTHEADER,
                            14, 202, 170, 56, kTrustedSticksList, nullptr, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    AddColumn(list, 0, "Serial", 70);
    AddColumn(list, 1, "Label", 80);
    kit.Control(page, "BUTTON", "&Remove", kPushButton, 190, 202, 75, 23, kRemoveTrustedStick);
    CreateLanguageChoice(kit);
    kit.Control(page, "BUTTON", "&Save", kPushButton | WS_GROUP, 280, 239, 75, 25, kButton8);
}

// Above Save: the language of the windows, which the next start takes up.
void SettingsPage::CreateLanguageChoice(PageKit& kit) {
    kit.Control(page_, "STATIC", "Language:", 0, 280, 186, 75, 14, -1);
    HWND box = kit.Control(page_, "COMBOBOX", "",
                           WS_TABSTOP | WS_GROUP | CBS_DROPDOWNLIST | WS_VSCROLL, 280, 201, 75, 120,
                           kLanguageBox);
    // Each language by its own name; "Automatic" follows Windows.
    const std::wstring names[] = {LocalizedWide("Automatic"), L"English",
                                  L"\x4E2D\x6587(\x7B80\x4F53)"};  // 中文(简体)
    for (const std::wstring& name : names)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    SendMessageW(box, CB_SETCURSEL, 0, 0);
    kit.Control(page_, "STATIC", "After a restart", 0, 280, 223, 78, 14, -1);
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
    ShowTrustedSticks(values);
}

void SettingsPage::ShowTrustedSticks(const SettingsPageValues& values) {
    shownSticks_ = values.trustedSticks;
    HWND list = Item(kTrustedSticksList);
    ListView_DeleteAllItems(list);
    for (size_t row = 0; row < shownSticks_.size(); ++row)
        AddRow(list, static_cast<int>(row),
               {VolumeSerialText(shownSticks_[row].serial), shownSticks_[row].label});
    FitColumns(list, 2);
    SetWindowTextUtf8(Item(kTrustedSticksGroup), Localized(TrustedSticksCaption(values.trustAllowed)));
    EnableWindow(Item(kRemoveTrustedStick), !shownSticks_.empty());
}

void SettingsPage::RemoveClick() {
    int row = SelectedRow(Item(kTrustedSticksList));
    if (row < 0 || row >= static_cast<int>(shownSticks_.size())) {
        kit_.Prompt("Select a stick to remove.");
        return;
    }
    try {
        RemoveTrustedStick(shownSticks_[row].serial);
    } catch (const std::exception& error) {
        ShowErrorBox(kit_.Form(), error.what());  // the settings file refused the change
    }
    SettingsPageValues values;
    values.trustedSticks = ReadTrustedSticks();
    values.trustAllowed = TrustedSticksAllowed();
    ShowTrustedSticks(values);
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
    if (id == kRemoveTrustedStick) {
        RemoveClick();
        return true;
    }
    if (id != kButton8) return false;
    if (OnSave) OnSave();
    return true;
}

}  // namespace kestrone::app
