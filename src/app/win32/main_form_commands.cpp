// The main window's commands: toolbar, tray menu and the About page's links.
// Every other page answers its own controls' commands.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "app/branding.h"
#include "app/main_window_rules.h"
#include "control_ids.h"
#include "core/definitions.h"
#include "core/path_macros.h"
#include "main_form.h"
#include "pages/page_kit.h"
#include "pages/tools_page.h"
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
    case kToolButton11: return kTabSheetHistory;
    default: return kTabSheet1;
    }
}

}  // namespace

void TMainForm::OnCommand(int id, int notification) {
    switch (id) {
    case kToolButton1: case kToolButton2: case kToolButton9: case kToolButton3:
    case kToolButton5: case kToolButton4: case kToolButton7: case kToolButton11:
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
    case kU1: toolsPage_->U1Click(); return;
    }
    if (id >= kOpenDriveFirst && id <= kOpenDriveLast) {
        OpenDriveSafely(id);
        return;
    }
    for (int index = 0; index < kPageCount; ++index)
        if (FormPage* page = PageObject(index))
            if (page->OnCommand(id, notification)) return;
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
