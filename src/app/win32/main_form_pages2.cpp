// The immunity, repair, settings and About pages with their controls.
#include <windows.h>
#include <commctrl.h>

#include "app/branding.h"
#include "check_list.h"
#include "control_ids.h"
#include "main_form.h"
#include "win_support.h"

namespace kestrone::app {

namespace {
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheckBox = WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kRadio = BS_AUTORADIOBUTTON;
constexpr DWORD kGroup = BS_GROUPBOX;
// "Enable blocking of plug-in installation" (kept hidden).
constexpr char kBlockPlugInCaptionUtf8[] =
    "\xE5\xBC\x80\xE5\x90\xAF\xE6\x8B\xA6\xE6\x88\xAA\xE6\x8F\x92\xE4\xBB\xB6\xE5\xAE\x89\xE8\xA3\x85";
}  // namespace

void TMainForm::CreateImmunityPage(HWND page) {
    Control(page, "BUTTON", " Immunity Settings ", kGroup, 6, 2, 349, 260, -1);
    HWND disable = Control(page, "BUTTON", " Disable AUTORUN of USB drive", kCheckBox, 18, 22, 320,
                           18, kCheckBox1);
    HWND immunize = Control(page, "BUTTON", " Immunize ", kCheckBox, 18, 44, 320, 18, kCheckBox2);
    SendMessageA(disable, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(immunize, BM_SETCHECK, BST_CHECKED, 0);
    Control(page, "BUTTON", "", kGroup, 18, 66, 325, 62, -1);  // RadioGroup1
    HWND usb = Control(page, "BUTTON", "USB Drive", kRadio | WS_GROUP | WS_TABSTOP, 30, 80, 140, 18,
                       kRadioUsbDrive);
    Control(page, "BUTTON", "Manual Selection", kRadio, 186, 80, 150, 18, kRadioManualSelection);
    Control(page, "BUTTON", "Local Disk", kRadio, 30, 102, 140, 18, kRadioLocalDisk);
    SendMessageA(usb, BM_SETCHECK, BST_CHECKED, 0);
    Control(page, "COMBOBOX", "", WS_TABSTOP | WS_GROUP | CBS_DROPDOWNLIST | WS_VSCROLL, 18, 140,
            160, 200, kComboBox1);
    Control(page, "BUTTON", "&Apply", kButton, 186, 182, 75, 25, kButton3);
    Control(page, "BUTTON", "&Cancel", kButton, 268, 182, 75, 25, kButton4);
    Control(page, "STATIC", "To prevent most of viruses infection on usb devices", 0, 18, 228, 325,
            15, -1);
}

void TMainForm::CreateRepairPage(HWND page) {
    HWND list = Control(page, WC_LISTVIEWA, "",
                        WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                            LVS_SHOWSELALWAYS,
                        6, 6, 349, 224, kCheckListBox1, nullptr, WS_EX_CLIENTEDGE);
    MakeCheckList(list, 325);
    Control(page, "BUTTON", "&Check All", kButton, 116, 237, 75, 25, kButton7);
    Control(page, "BUTTON", "&Uncheck All", kButton, 198, 237, 75, 25, kButton6);
    Control(page, "BUTTON", "&Apply", kButton, 280, 237, 75, 25, kButton5);
}

void TMainForm::CreateSettingsPage(HWND page) {
    Control(page, "BUTTON", "  General  ", kGroup, 6, 2, 349, 74, -1);
    Control(page, "BUTTON", "Display alert window when a threat is detected", kCheckBox, 18, 22, 325,
            18, kCheckBox5);
    Control(page, "BUTTON", kStoredAutostartCaption, kCheckBox, 18, 46, 325, 18, kCheckBox3);
    HWND block = Control(page, "BUTTON", "", kCheckBox, 18, 70, 325, 18, kCheckBox4);
    SetWindowTextUtf8(block, kBlockPlugInCaptionUtf8);
    ShowWindow(block, SW_HIDE);

    Control(page, "BUTTON", " Available actions when a threat is detected ", kGroup, 6, 84, 349,
            100, -1);
    Control(page, "BUTTON", "Clean infected files only", kRadio | WS_GROUP | WS_TABSTOP, 18, 106,
            325, 18, kRadioButton1);
    Control(page, "BUTTON", "Open usb drive safely only", kRadio, 18, 130, 325, 18, kRadioButton3);
    HWND both = Control(page, "BUTTON", "Clean infected files and open usb drive safely", kRadio, 18,
                        154, 325, 18, kRadioButton2);
    SendMessageA(both, BM_SETCHECK, BST_CHECKED, 0);
    Control(page, "BUTTON", "&Save", kButton | WS_GROUP, 280, 196, 75, 25, kButton8);
}

void TMainForm::CreateAboutPage(HWND page) {
    Control(page, "STATIC", kStoredAboutProductLabel, 0, 100, 18, 240, 22, kLabel11,
            static_cast<HFONT>(productFont_.get()));
    Control(page, "STATIC", "Email:", 0, 100, 84, 64, 15, -1);
    HWND email = Control(page, "STATIC", "", SS_NOTIFY, 168, 84, 180, 15, kEmailLabel,
                         static_cast<HFONT>(linkFont_.get()));
    Control(page, "STATIC", "Home:", 0, 100, 104, 64, 15, -1);
    HWND home = Control(page, "STATIC", "", SS_NOTIFY, 168, 104, 180, 15, kLabel15,
                        static_cast<HFONT>(linkFont_.get()));
    Control(page, "STATIC", "Database:", 0, 100, 124, 64, 15, -1);
    Control(page, "STATIC", AboutBuildLabel().c_str(), 0, 168, 124, 180, 15, -1);
    Control(page, "STATIC", "", 0, 100, 156, 248, 15, kLabel16);
    linkLabels_ = {email, home};
    Control(page, "BUTTON", "&Help", kButton, 280, 237, 75, 25, kButton15);
}

}  // namespace kestrone::app
