// The main window's commands: toolbar, tray menu, page buttons and page show
// handlers. Scans, repair, immunity, settings, the process manager and the USB
// unlock bring their own commands; their buttons are in place already.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/branding.h"
#include "app/main_window_rules.h"
#include "check_list.h"
#include "control_ids.h"
#include "core/definitions.h"
#include "core/path_macros.h"
#include "main_form.h"
#include "platform/profile.h"
#include "platform/shell_exec.h"

namespace kestrone::app {

namespace {

uintptr_t Owner(HWND window) { return reinterpret_cast<uintptr_t>(window); }

Page PageOfToolButton(int id) {
    switch (id) {
    case kToolButton2: return kTabSheet7;
    case kToolButton9: return kTabSheet8;
    case kToolButton3: return kTabSheet2;
    case kToolButton5: return kTabSheet3;
    case kToolButton4: return kTabSheet4;
    case kToolButton7: return kTabSheet10;
    default: return kTabSheet1;
    }
}

}  // namespace

void TMainForm::OnCommand(int id, int notification) {
    switch (id) {
    case kToolButton1: case kToolButton2: case kToolButton9: case kToolButton3:
    case kToolButton5: case kToolButton4: case kToolButton7:
        ActivatePage(PageOfToolButton(id));
        return;
    case kToolButton6: case kN13: RunUpdater(); return;
    case kN14: OpenWebsite(); return;
    case kN2: ShowMainWindow(); return;
    case kN10:
        ShowMainWindow();
        ActivatePage(kTabSheet10);
        return;
    case kN11: Quit(); return;
    case kLabel15:  // the website label opens its own text
        if (notification == STN_CLICKED) {
            char text[256] = {};
            GetDlgItemTextA(pages_[kTabSheet10], kLabel15, text, sizeof text);
            platform::ShellExecuteFile(Owner(hwnd_), "Open", text, "", "", platform::kShowNormal);
        }
        return;
    case kEmailLabel:
        if (notification == STN_CLICKED) OpenEmail();
        return;
    case kButton15: OpenHelp(); return;
    case kButton6: SetAllChecked(GetDlgItem(pages_[kTabSheet3], kCheckListBox1), false); return;
    case kButton7: SetAllChecked(GetDlgItem(pages_[kTabSheet3], kCheckListBox1), true); return;
    case kCheckBox2: UpdateImmunityControls(); return;
    }
    if (id >= kOpenDriveFirst && id <= kOpenDriveLast) OpenDriveSafely(id);
}

void TMainForm::OnPageShow(Page page) {
    if (page == kTabSheet8) {  // TabSheet8Show: which removable drives are present
        std::string line = UsbDetectionLine(GetRemovableDriveLetters());
        SendMessageA(GetDlgItem(pages_[kTabSheet8], kStatusBar2), SB_SETTEXTA, 1,
                     reinterpret_cast<LPARAM>(line.c_str()));
    } else if (page == kTabSheet2) {  // TabSheet2Show: the drive list, filled once
        HWND combo = GetDlgItem(pages_[kTabSheet2], kComboBox1);
        if (SendMessageA(combo, CB_GETCOUNT, 0, 0) == 0)
            for (const std::string& root : DriveRoots(GetFixedDriveLetters() + GetRemovableDriveLetters()))
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(root.c_str()));
    } else if (page == kTabSheet3) {  // TabSheet3Show: the repair items, all unchecked
        SetCheckListItems(GetDlgItem(pages_[kTabSheet3], kCheckListBox1),
                          platform::ReadProfileKeyNames("RegRepair", DataFilePath(kDefinitionsFile)));
    }
}

void TMainForm::UpdateImmunityControls() {
    HWND page = pages_[kTabSheet2];
    bool enabled = IsDlgButtonChecked(page, kCheckBox2) == BST_CHECKED;
    for (int id : {kRadioUsbDrive, kRadioManualSelection, kRadioLocalDisk, kComboBox1})
        EnableWindow(GetDlgItem(page, id), enabled);
}

void TMainForm::RunUpdater() {
    std::string folder = GetExeDir();
    platform::ShellExecuteFile(Owner(hwnd_), "Open", folder + "Update.exe", "Grimbolt", folder,
                               platform::kShowNormal);
}

void TMainForm::OpenWebsite() {
    platform::ShellExecuteFile(Owner(hwnd_), "Open", kBrand.websiteAddress, "", "",
                               platform::kShowNormal);
}

void TMainForm::OpenEmail() {
    char address[256] = {};
    GetDlgItemTextA(pages_[kTabSheet10], kEmailLabel, address, sizeof address);
    platform::ShellExecuteFile(Owner(hwnd_), "Open", std::string("mailto:") + address, "", "",
                               platform::kShowNormal);
}

void TMainForm::OpenHelp() {
    platform::ShellExecuteFile(Owner(hwnd_), "Open", GetExeDir() + "Help.chm", "", "",
                               platform::kShowNormal);
}

void TMainForm::OpenDriveSafely(int itemId) {
    size_t index = static_cast<size_t>(itemId - kOpenDriveFirst);
    if (index < openDriveRoots_.size())
        platform::ShellExecuteFile(0, "Open", openDriveRoots_[index], "", "", platform::kShowNormal);
}

}  // namespace kestrone::app
