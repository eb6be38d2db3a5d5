#include "tools_page.h"

#include "app/main_window_rules.h"
#include "app/usb_unlock.h"
#include "control_ids.h"
#include "core/history_log.h"
#include "core/definitions.h"
#include "core/tip.h"
#include "scan/process_kill.h"
#include "unlock_dialog.h"
#include "win_support.h"

namespace kestrone::app {

ToolsPage::ToolsPage(PageKit& kit, HWND page, HICON unlockIcon) : FormPage(kit, page) {
    kit.Control(page, "BUTTON", " UnLock USB Devices ", kGroupBoxStyle, 6, 2, 349, 118, -1);
    kit.Control(page, "STATIC",
                "  When you want to remove your USB disk, sometimes \r\n"
                "the disk may be locked by application,and system will\r\n"
                "give you a message:The device 'Generic volume'can't be\r\n"
                "stopped right now.You can try to click UnLock to solve.",
                0, 14, 20, 334, 62, -1);
    HWND unlock = kit.Control(page, "BUTTON", "Unlock", kPushButton, 268, 86, 80, 27, kBitBtn1);
    BUTTON_IMAGELIST images{};
    unlockImages_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 0);
    images.himl = unlockImages_;
    ImageList_AddIcon(images.himl, unlockIcon);
    images.margin = RECT{2, 0, 4, 0};
    images.uAlign = BUTTON_IMAGELIST_ALIGN_RIGHT;
    SendMessageA(unlock, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));

    kit.Control(page, "BUTTON", " USB Devices Security ", kGroupBoxStyle, 6, 124, 349, 122, -1);
    kit.Control(page, "STATIC", "This function can prevent theft of information", 0, 16, 142, 326,
                15, -1);
    kit.Control(page, "BUTTON", "Disable usage of any usb storage devices ", kCheckBoxStyle, 16, 162,
                326, 18, kCheckBox6);
    kit.Control(page, "BUTTON", "Disable writing data to the usb storage devices", kCheckBoxStyle,
                16, 184, 326, 18, kCheckBox7);
    kit.MarkElevating(kit.Control(page, "BUTTON", " Apply", kPushButton, 268, 212, 80, 27, kBitBtn2));
    ShowWindow(kit.Control(page, "STATIC", kSetByAdministratorText, 0, 16, 218, 240, 15,
                           kUsbPolicyNote),
               SW_HIDE);
    HWND bar = kit.StatusBar(page, kStatusBar2, {60, -1});
    PageKit::SetStatusText(bar, 0, " Status:");
}

ToolsPage::~ToolsPage() {
    if (unlockImages_) ImageList_Destroy(unlockImages_);
}

void ToolsPage::OnShow() {
    std::string line = UsbDetectionLine(GetRemovableDriveLetters());
    PageKit::SetStatusText(Item(kStatusBar2), 1, line);
}

bool ToolsPage::OnCommand(int id, int /*notification*/) {
    if (id == kBitBtn1) {
        U1Click();
        return true;
    }
    if (id == kBitBtn2) {
        BitBtn2Click();
        return true;
    }
    return false;
}

// The unlock names the programs that hold the drive and closes those the
// user ticks; Explorer (the desktop's windows) only after a second word.
void ToolsPage::U1Click() {
    if (ShowTip(kTipUnlockFlash, kUnlockTipMessage) != kTipContinue) return;
    std::vector<DriveHolder> holders = FindDriveHolders(GetRemovableDriveLetters());
    if (holders.empty()) {
        AppendHistory("Tools", kUnlockDoneMessage);
        kit_.Prompt(kUnlockDoneMessage);
        return;
    }
    std::vector<DriveHolder> chosen;
    if (!UnlockDialog(kit_.Instance(), kit_.Form(), holders).ShowModal(chosen) || chosen.empty())
        return;
    bool explorerChosen = false;
    for (const DriveHolder& holder : chosen) explorerChosen = explorerChosen || holder.explorer;
    if (explorerChosen && ShowTip(kTipCloseExplorer, kCloseExplorerMessage) != kTipContinue) {
        std::erase_if(chosen, [](const DriveHolder& holder) { return holder.explorer; });
        if (chosen.empty()) return;
    }
    UnlockResult result = CloseDriveHolders(chosen);
    std::string report = ClosedProgramsLine(result) + "\r\n" + UnlockMessage(result);
    AppendHistory("Tools", report);
    kit_.Prompt(LocalizedLines({ClosedProgramsLine(result), UnlockMessage(result)}, L"\r\n"));
}

void ToolsPage::ShowPolicies(const SettingsPageValues& values) {
    SetChecked(kCheckBox6, values.usbDisabled);
    SetChecked(kCheckBox7, values.usbWriteProtected);
    EnableWindow(Item(kCheckBox6), !values.locks.usbDisabled);
    EnableWindow(Item(kCheckBox7), !values.locks.usbWriteProtected);
    bool anyLocked = values.locks.usbDisabled || values.locks.usbWriteProtected;
    ShowWindow(Item(kUsbPolicyNote), anyLocked ? SW_SHOW : SW_HIDE);
    // Nothing left to apply when the administrator sets both.
    EnableWindow(Item(kBitBtn2), !(values.locks.usbDisabled && values.locks.usbWriteProtected));
}

// The policies live under HKEY_LOCAL_MACHINE: written with administrator
// rights; the result (and its message) comes back through the main window.
void ToolsPage::BitBtn2Click() {
    kit_.RunAdmin(AdminTask::UsbPolicies,
                  {IsChecked(kCheckBox6) ? "1" : "0", IsChecked(kCheckBox7) ? "1" : "0"});
}

}  // namespace kestrone::app
