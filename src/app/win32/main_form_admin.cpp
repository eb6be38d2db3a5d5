// The main window's side of commands that need administrator rights: the
// runner the pages ask, and what the window does with a result, whether it
// came from this process or from an elevated copy.
#include <windows.h>

#include "admin_runner.h"
#include "app/settings_page_values.h"
#include "core/definitions.h"
#include "core/refusal_report.h"
#include "main_form.h"
#include "pages/page_kit.h"
#include "pages/quarantine_page.h"
#include "pages/scan_page.h"

namespace kestrone::app {

void TMainForm::CreateAdminRunner() {
    admin_ = std::make_unique<AdminRunner>(hwnd_);
    admin_->onResult = [this](const AdminResult& result) { OnAdminResult(result); };
    admin_->prompt = [this](const std::string& text) { kit_->Prompt(text); };
    kit_->runAdmin = [this](AdminTask task, const TextList& arguments) {
        try {
            admin_->Run(task, arguments);
        } catch (const std::exception& error) {
            ShowErrorBox(hwnd_, error.what());
        }
    };
}

void TMainForm::OnAdminResult(const AdminResult& result) {
    switch (result.task) {
        case AdminTask::Scan:
            for (const std::string& line : result.lines) scanPage_->AddReportLine(line);
            // Asked for from the arrival popup, with the window in the tray.
            if (!IsWindowVisible(hwnd_)) ShowPopup(JoinLines(result.lines));
            return;
        case AdminTask::Repair:
            if (result.done) {
                // Tell every window that system settings changed; a hung
                // window must not hang us, so each gets a few seconds.
                DWORD_PTR ignored = 0;
                SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                    &ignored);
            }
            break;
        case AdminTask::Undo:
            if (activePage_ == kTabSheetHistory) quarantinePage_->OnShow();
            break;
        case AdminTask::UsbPolicies:
        case AdminTask::MachineAutostart:
            LoadSettingsPage();  // the pages show what the registry says now
            break;
    }
    // A failure shows its message as the error box does; success its line.
    if (!result.lines.empty()) {
        if (result.done)
            kit_->Prompt(LocalizedLines(result.lines, L"\r") + L"\r");  // as JoinLines
        else
            ShowErrorBox(hwnd_, result.lines.back());
    }
}

void TMainForm::OfferElevatedClean(const std::string& driveRoot, int refused) {
    std::string question = RefusalLine(refused, RefusalCause::NeedsAdministrator) +
                           "\r\n\r\nClean " + driveRoot + " again with administrator rights?";
    if (kit_->Ask(question)) kit_->RunAdmin(AdminTask::Scan, {driveRoot});
}

}  // namespace kestrone::app
